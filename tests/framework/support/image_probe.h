// Reading rendered boards back: exact pixel colours and where sticks stand.
#pragma once

#include <QColor>
#include <QImage>
#include <vector>

namespace testsupport {

inline QRgb Rgb(int red, int green, int blue) {
    return qRgb(red, green, blue);
}

inline bool IsWhite(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

// Left edges of the sticks whose body crosses pixel row `y`: a stick's first column is the
// brightest yellow (255, 255, 0).
inline std::vector<int> StickLeftsOnLine(const QImage& image, int y) {
    std::vector<int> lefts;
    for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFF00) {
            lefts.push_back(x);
        }
    }
    return lefts;
}

// Counts the pixels of `rect` that are not white.
inline int InkIn(const QImage& image, const QRect& rect) {
    int ink = 0;
    const QRect clipped = rect.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            ink += IsWhite(image, x, y) ? 0 : 1;
        }
    }
    return ink;
}

}  // namespace testsupport
