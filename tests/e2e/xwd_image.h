// Reading a screen dump in X Window Dump format, as `xwd` writes it: a big-endian header of
// 25 32-bit fields and the window name, the colour map, then the pixels of a TrueColor image
// (24 or 32 bits a pixel, in the byte order the header gives).
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Pixel {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

class XwdImage {
  public:
    static std::optional<XwdImage> Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        if (bytes.size() < kHeaderFields * 4) {
            return std::nullopt;
        }
        auto field = [&bytes](size_t index) {
            const size_t at = index * 4;
            return static_cast<uint32_t>(bytes[at]) << 24 |
                   static_cast<uint32_t>(bytes[at + 1]) << 16 |
                   static_cast<uint32_t>(bytes[at + 2]) << 8 | static_cast<uint32_t>(bytes[at + 3]);
        };
        XwdImage image;
        const uint32_t headerSize = field(0);
        const uint32_t format = field(2);
        image.width = static_cast<int>(field(4));
        image.height = static_cast<int>(field(5));
        image.lsbFirst = field(7) == 0;
        image.bytesPerPixel = field(11) / 8;
        image.bytesPerLine = field(12);
        image.masks[0] = field(14);
        image.masks[1] = field(15);
        image.masks[2] = field(16);
        const uint64_t colours = field(19);
        const uint64_t start = uint64_t{headerSize} + colours * 12;
        // Only the direct-colour pixmap formats a 24-bit screen gives.
        if (format != 2 || (image.bytesPerPixel != 3 && image.bytesPerPixel != 4) ||
            image.width <= 0 || image.height <= 0 ||
            uint64_t{image.bytesPerLine} < uint64_t{image.bytesPerPixel} * image.width ||
            start + uint64_t{image.bytesPerLine} * image.height > bytes.size()) {
            return std::nullopt;
        }
        image.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end());
        return image;
    }

    int Width() const { return width; }
    int Height() const { return height; }

    // Black outside the image.
    Pixel At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return Pixel{};
        }
        const size_t at =
            static_cast<size_t>(y) * bytesPerLine + static_cast<size_t>(x) * bytesPerPixel;
        uint32_t value = 0;
        for (uint32_t i = 0; i < bytesPerPixel; ++i) {
            const uint32_t byte = data[at + i];
            value |= lsbFirst ? byte << (8 * i) : byte << (8 * (bytesPerPixel - 1 - i));
        }
        return Pixel{Channel(value, masks[0]), Channel(value, masks[1]), Channel(value, masks[2])};
    }

  private:
    static constexpr size_t kHeaderFields = 25;

    static uint8_t Channel(uint32_t value, uint32_t mask) {
        if (mask == 0) {
            return 0;
        }
        uint32_t shifted = value & mask;
        uint32_t m = mask;
        while ((m & 1u) == 0) {
            m >>= 1;
            shifted >>= 1;
        }
        return static_cast<uint8_t>(shifted);
    }

    int width = 0;
    int height = 0;
    bool lsbFirst = true;
    uint32_t bytesPerPixel = 4;
    uint32_t bytesPerLine = 0;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint8_t> data;
};

}  // namespace e2e
