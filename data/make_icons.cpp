// Draws Torvel's icon: three sticks as the board draws them (grey tip, red head, yellow body,
// each darker towards its right edge) standing on a dark rounded tile. One description of the
// drawing gives both the scalable SVG and the PNG sizes of the hicolor theme, so the two cannot
// drift apart. The PNGs are rendered here, with 8 x 8 samples per pixel, and written with zlib.
//
//   make_icons OUTPUT_DIRECTORY SIZE...   writes torvel.svg and torvel-SIZE.png for each SIZE

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr double kCanvas = 256.0;  // the drawing's own units, the SVG's view box

struct Colour {
    double red, green, blue;
};

// A rectangle filled with a colour that darkens by `shade` from its left edge to its right,
// as a stick's columns do on the board.
struct Band {
    double x, y, width, height;
    Colour colour;
    double shade;
};

struct Tile {
    double x = 8, y = 8, size = 240, radius = 40;
    Colour colour{48, 56, 64};
} constexpr kTile;

constexpr Colour kTip{128, 128, 128};
constexpr Colour kHead{192, 0, 0};
constexpr Colour kBody{255, 255, 0};
constexpr double kShade = 64;

std::vector<Band> Sticks() {
    // Three sticks, their bands in the board's proportions: tip to 1/21, head to 2/9 of the
    // length, the rest body; wider than on the board so that they still read at 16 pixels.
    constexpr double width = 36, length = 176, gap = 28, top = 40;
    constexpr double left = (kCanvas - (3 * width + 2 * gap)) / 2;
    constexpr double tip = length / 21 * 2, head = length * 2 / 9 + tip / 2;
    std::vector<Band> bands;
    for (int i = 0; i < 3; ++i) {
        const double x = left + i * (width + gap);
        bands.push_back({x, top, width, tip, kTip, kShade});
        bands.push_back({x, top + tip, width, head - tip, kHead, kShade});
        bands.push_back({x, top + head, width, length - head, kBody, kShade});
    }
    return bands;
}

bool InTile(double x, double y) {
    const double cx = std::clamp(x, kTile.x + kTile.radius, kTile.x + kTile.size - kTile.radius);
    const double cy = std::clamp(y, kTile.y + kTile.radius, kTile.y + kTile.size - kTile.radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= kTile.radius * kTile.radius &&
           x >= kTile.x && x <= kTile.x + kTile.size && y >= kTile.y && y <= kTile.y + kTile.size;
}

std::string Rgb(Colour c) {
    return "rgb(" + std::to_string(static_cast<int>(c.red)) + "," +
           std::to_string(static_cast<int>(c.green)) + "," +
           std::to_string(static_cast<int>(c.blue)) + ")";
}

Colour Darker(Colour c, double by) {
    return {std::max(0.0, c.red - by), std::max(0.0, c.green - by), std::max(0.0, c.blue - by)};
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string Svg(const std::vector<Band>& bands) {
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n"
        "  <title>Torvel</title>\n  <defs>\n";
    const std::array<std::pair<const char*, Colour>, 3> gradients{
        {{"tip", kTip}, {"head", kHead}, {"body", kBody}}};
    for (const auto& [name, colour] : gradients) {
        svg += std::string("    <linearGradient id=\"") + name +
               "\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\">\n"
               "      <stop offset=\"0\" stop-color=\"" +
               Rgb(colour) +
               "\"/>\n"
               "      <stop offset=\"1\" stop-color=\"" +
               Rgb(Darker(colour, kShade)) + "\"/>\n    </linearGradient>\n";
    }
    svg += "  </defs>\n";
    svg += "  <rect x=\"" + Number(kTile.x) + "\" y=\"" + Number(kTile.y) + "\" width=\"" +
           Number(kTile.size) + "\" height=\"" + Number(kTile.size) + "\" rx=\"" +
           Number(kTile.radius) + "\" fill=\"" + Rgb(kTile.colour) + "\"/>\n";
    for (const Band& band : bands) {
        const char* name = band.colour.red == kTip.red ? "tip"
                           : band.colour.green == 0    ? "head"
                                                       : "body";
        svg += "  <rect x=\"" + Number(band.x) + "\" y=\"" + Number(band.y) + "\" width=\"" +
               Number(band.width) + "\" height=\"" + Number(band.height) + "\" fill=\"url(#" +
               name + ")\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

// RGBA pixels, rows top first, each sample painted as the SVG would: tile, then the bands.
std::vector<uint8_t> Render(const std::vector<Band>& bands, int size) {
    constexpr int samples = 8;
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    const double scale = kCanvas / size;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double red = 0, green = 0, blue = 0, alpha = 0;  // premultiplied sums
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (px + (sx + 0.5) / samples) * scale;
                    const double y = (py + (sy + 0.5) / samples) * scale;
                    if (!InTile(x, y)) {
                        continue;
                    }
                    Colour c = kTile.colour;
                    for (const Band& band : bands) {
                        if (x >= band.x && x < band.x + band.width && y >= band.y &&
                            y < band.y + band.height) {
                            c = Darker(band.colour, band.shade * (x - band.x) / band.width);
                        }
                    }
                    red += c.red;
                    green += c.green;
                    blue += c.blue;
                    alpha += 1;
                }
            }
            uint8_t* p = &pixels[(static_cast<size_t>(py) * size + px) * 4];
            if (alpha > 0) {
                p[0] = static_cast<uint8_t>(std::lround(red / alpha));
                p[1] = static_cast<uint8_t>(std::lround(green / alpha));
                p[2] = static_cast<uint8_t>(std::lround(blue / alpha));
                p[3] = static_cast<uint8_t>(std::lround(255 * alpha / (samples * samples)));
            }
        }
    }
    return pixels;
}

void PutBigEndian(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBigEndian(png, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    PutBigEndian(png, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                  static_cast<uInt>(body.size()))));
}

bool Png(const std::vector<uint8_t>& pixels, int size, std::string& png) {
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw += '\0';  // no filter
        raw.append(reinterpret_cast<const char*>(&pixels[static_cast<size_t>(y) * size * 4]),
                   static_cast<size_t>(size) * 4);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  9) != Z_OK) {
        return false;
    }
    packed.resize(packedSize);
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(size));
    PutBigEndian(header, static_cast<uint32_t>(size));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no interlace
    png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", "");
    return true;
}

bool Write(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary);
    out << data;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_icons OUTPUT_DIRECTORY SIZE...\n";
        return 2;
    }
    const std::string directory = argv[1];
    const std::vector<Band> bands = Sticks();
    if (!Write(directory + "/torvel.svg", Svg(bands))) {
        std::cerr << "make_icons: cannot write " << directory << "/torvel.svg\n";
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        std::string png;
        if (size < 1 || size > 1024 || !Png(Render(bands, size), size, png) ||
            !Write(directory + "/torvel-" + std::to_string(size) + ".png", png)) {
            std::cerr << "make_icons: cannot make the " << argv[i] << " pixel icon\n";
            return 1;
        }
    }
    return 0;
}
