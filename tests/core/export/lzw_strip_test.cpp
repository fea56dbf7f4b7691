// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/lzw_strip.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include <tiffio.h>

namespace velora {
namespace {

// The strip as libtiff's own LZW encoder compresses it (one row of 8-bit
// grey), read back raw.
std::vector<uint8_t> LibtiffStrip(const std::vector<uint8_t>& bytes, const QString& path) {
    TIFF* out = TIFFOpen(path.toLocal8Bit().constData(), "w");
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, uint32_t(bytes.size()));
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, uint32_t(1));
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, uint32_t(1));
    TIFFWriteEncodedStrip(out, 0, const_cast<uint8_t*>(bytes.data()), tmsize_t(bytes.size()));
    TIFFClose(out);
    TIFF* in = TIFFOpen(path.toLocal8Bit().constData(), "r");
    std::vector<uint8_t> raw(size_t(TIFFRawStripSize(in, 0)));
    TIFFReadRawStrip(in, 0, raw.data(), tmsize_t(raw.size()));
    TIFFClose(in);
    return raw;
}

// Strips that fill the table, that stop paying (random bytes, which the
// ratio check restarts), of long runs, and tiny ones.
TEST(LzwStripTest, CompressesToLibtiffsBytes) {
    std::mt19937 random(7);
    using Byte = std::function<uint8_t(size_t)>;
    const Byte noise = [&](size_t) { return uint8_t(random()); };
    const Byte runs = [](size_t i) { return uint8_t(i / 5000); };
    const Byte ramps = [&](size_t i) { return uint8_t((i * i / 7 + random() % 3) % 61); };
    const Byte fewValues = [&](size_t) { return uint8_t(random() % 4); };
    const std::pair<size_t, const Byte*> strips[] = {
        {1, &noise},     {2, &noise},      {3, &fewValues},     {600000, &noise},
        {300000, &runs}, {500000, &ramps}, {400000, &fewValues}};
    QTemporaryDir dir;
    LzwStrip ours;
    std::vector<uint8_t> compressed;
    for (size_t n = 0; n < std::size(strips); ++n) {
        const auto& [size, byte] = strips[n];
        SCOPED_TRACE("strip " + std::to_string(n));
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i) bytes[i] = (*byte)(i);
        ours.Compress(bytes, compressed);
        EXPECT_TRUE(compressed == LibtiffStrip(bytes, dir.filePath("strip.tif")));
    }
}

TEST(LzwStripTest, PredictorTakesEachByteFromTheOneAPixelBefore) {
    std::vector<uint8_t> rows = {10, 20, 30, 15, 5, 200, 0, 0, 0, 9, 9, 9};
    PredictRows(rows.data(), 6, 2, 3);
    EXPECT_EQ(rows, (std::vector<uint8_t>{10, 20, 30, 5, 241, 170, 0, 0, 0, 9, 9, 9}));
}

}  // namespace
}  // namespace velora
