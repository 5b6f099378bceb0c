// The drawn icon, read back from the PNGs the build made: three sticks in the board's colours
// (grey tip, red head, yellow body, top to bottom), each darker towards its right edge, on a
// tile with transparent corners, at every size of the theme.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int size = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)) *
                     4];
    }
};

uint32_t BigEndian(const std::string& data, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(data[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(data[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(data[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(data[at + 3]));
}

// Reads an 8-bit RGBA PNG whose rows are unfiltered, checking every chunk's CRC.
Image ReadPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string data = bytes.str();
    Image image;
    if (data.size() < 8 || data.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        ADD_FAILURE() << path << " is not a PNG";
        return image;
    }
    std::string packed;
    for (size_t at = 8; at + 12 <= data.size();) {
        const uint32_t length = BigEndian(data, at);
        const std::string type = data.substr(at + 4, 4);
        const std::string body = data.substr(at + 4, 4 + length);
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
        EXPECT_EQ(crc, BigEndian(data, at + 8 + length)) << path << " chunk " << type;
        if (type == "IHDR") {
            image.size = static_cast<int>(BigEndian(data, at + 8));
            EXPECT_EQ(BigEndian(data, at + 12), static_cast<uint32_t>(image.size));
            EXPECT_EQ(data.substr(at + 16, 2), std::string("\x08\x06", 2)) << "8-bit RGBA";
        } else if (type == "IDAT") {
            packed += data.substr(at + 8, length);
        }
        at += 12 + length;
    }
    const size_t stride = static_cast<size_t>(image.size) * 4 + 1;
    std::string raw(stride * static_cast<size_t>(image.size), '\0');
    uLongf rawSize = static_cast<uLongf>(raw.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                         reinterpret_cast<const Bytef*>(packed.data()),
                         static_cast<uLong>(packed.size())),
              Z_OK);
    EXPECT_EQ(rawSize, raw.size());
    for (size_t row = 0; row < static_cast<size_t>(image.size); ++row) {
        EXPECT_EQ(raw[row * stride], '\0') << "row " << row << " is filtered";
        image.rgba.insert(image.rgba.end(), raw.begin() + static_cast<ptrdiff_t>(row * stride + 1),
                          raw.begin() + static_cast<ptrdiff_t>((row + 1) * stride));
    }
    return image;
}

enum class Paint { Tip, Head, Body, Other };

Paint Classify(const uint8_t* p) {
    const int r = p[0], g = p[1], b = p[2];
    if (p[3] < 255) {
        return Paint::Other;
    }
    if (r > 180 && g > 180 && b < 10) {
        return Paint::Body;
    }
    if (r > 110 && g < 10 && b < 10) {
        return Paint::Head;
    }
    if (r > 60 && r == g && g == b) {
        return Paint::Tip;
    }
    return Paint::Other;
}

TEST(Icon, ThreeSticksInTheBoardsColoursAtEverySize) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const Image image =
            ReadPng(std::string(TORVEL_ICON_DIR) + "/torvel-" + std::to_string(size) + ".png");
        ASSERT_EQ(image.size, size);
        EXPECT_EQ(image.At(0, 0)[3], 0) << size << ": the corners are transparent";
        EXPECT_EQ(image.At(size - 1, size - 1)[3], 0) << size;

        // Across a row through the bodies, count the runs of yellow: one per stick.
        const int bodyRow = size * 2 / 3;
        int sticks = 0;
        bool inStick = false;
        std::vector<int> firstColumns;
        for (int x = 0; x < size; ++x) {
            const bool yellow = Classify(image.At(x, bodyRow)) == Paint::Body;
            if (yellow && !inStick) {
                ++sticks;
                firstColumns.push_back(x);
            }
            inStick = yellow;
        }
        EXPECT_EQ(sticks, 3) << size;
        if (size < 64) {
            continue;
        }
        for (int left : firstColumns) {
            // Darker to the right, column by column, across the body.
            int x = left;
            while (Classify(image.At(x + 1, bodyRow)) == Paint::Body) {
                EXPECT_LE(image.At(x + 1, bodyRow)[0], image.At(x, bodyRow)[0]) << size;
                ++x;
            }
            EXPECT_GE(image.At(left, bodyRow)[0] - image.At(x, bodyRow)[0], 48) << size;
            // Down the stick: tip, then head, then body, each once.
            std::vector<Paint> bands;
            for (int y = 0; y < size; ++y) {
                const Paint paint = Classify(image.At(left + 1, y));
                if (paint != Paint::Other && (bands.empty() || bands.back() != paint)) {
                    bands.push_back(paint);
                }
            }
            EXPECT_EQ(bands, (std::vector<Paint>{Paint::Tip, Paint::Head, Paint::Body})) << size;
        }
    }
}

}  // namespace
