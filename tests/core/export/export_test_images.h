// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace velora::test {

// Quadrant colours of QuadrantImage, chosen to survive JPEG's chroma
// subsampling and to tell every turn and flip apart.
inline constexpr QRgb kTopLeft = 0xFFFF0000;
inline constexpr QRgb kTopRight = 0xFF00C000;
inline constexpr QRgb kBottomLeft = 0xFF0000FF;
inline constexpr QRgb kBottomRight = 0xFFFFFF00;

// Four flat quadrants of the colours above.
inline QImage QuadrantImage(int width, int height, QImage::Format format = QImage::Format_RGB888) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.setPixel(
                x, y,
                bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft));
        }
    }
    return image.convertToFormat(format);
}

// Every pixel different: smooth ramps with a little structure, so codecs and
// quantisers have real work and exact comparisons mean something.
inline QImage PatternImage(int width, int height, QImage::Format format = QImage::Format_RGB888) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb((x * 255) / std::max(1, width - 1),
                                (y * 255) / std::max(1, height - 1), (x * 7 + y * 13) % 256));
        }
    }
    return image.convertToFormat(format);
}

// Pixels no codec can squeeze: a fixed pseudo-random sequence.
inline QImage NoiseImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int i = 0; i < width * 3; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = uchar(state >> 24);
        }
    }
    return image;
}

inline int ChannelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace velora::test
