// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/archive/archive.h"
#include "model_stream_support.h"

#include <QByteArray>
#include <QImage>

namespace velora::test {

// Smooth colour changes in both directions, so that a decoder that mixes
// up rows, columns or channels, or decodes only part of the data, shows.
inline QImage Gradient(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb((x * 255 / width + seed * 40) % 256, y * 255 / height,
                                (x + y + seed * 90) % 256));
        }
    }
    return image;
}

inline QByteArray GradientJpeg(int width, int height, int seed) {
    return Encode(Gradient(width, height, seed));
}

// A progressive JPEG whose header reads but whose second scan asks for
// coefficients in an impossible order, which the decoder refuses only once
// it reaches that scan.
QByteArray JpegWithDamagedScan(int width, int height);

// A JPEG whose frame header declares the given size: a header to accept or
// refuse, whatever the data behind it.
QByteArray JpegDeclaring(int width, int height);

inline std::span<const uint8_t> View(const QByteArray& bytes) { return AsBytes(bytes); }

}  // namespace velora::test
