// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QString>

#include <cstdint>
#include <vector>

namespace velora::test {

// What another program's decoder sees in a written file, read with the
// codec libraries themselves rather than through our own code or Qt.

struct JpegFacts {
    bool ok = false;
    int width = 0;
    int height = 0;
    int components = 0;
    int lumaDcQuant = 0;       // first entry of the first quantisation table
    std::vector<uint8_t> rgb;  // decoded pixels
    QRgb Pixel(int x, int y) const;
};
JpegFacts ReadJpeg(const QString& path);

struct TiffFacts {
    bool ok = false;
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t compression = 0;
    uint16_t bitsPerSample = 0;
    uint16_t samplesPerPixel = 0;
    uint16_t photometric = 0;
    uint16_t predictor = 1;
    std::vector<uint16_t> extraSamples;
    size_t colormapEntries = 0;              // 0 without a colour map
    std::vector<std::vector<uint8_t>> rows;  // raw decoded scanlines
    std::vector<uint32_t> rgba;              // libtiff's RGBA rendering, top row first
    QRgb Pixel(uint32_t x, uint32_t y) const;
};
TiffFacts ReadTiff(const QString& path);

struct GifFacts {
    bool ok = false;
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int bitsPerPixel = 0;
    int imageCount = 0;
    std::vector<QRgb> pixels;
    QRgb Pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
GifFacts ReadGif(const QString& path);

}  // namespace velora::test
