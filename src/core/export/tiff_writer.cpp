// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/tiff_writer.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "core/export/bilevel_dither.h"
#include "core/export/lzw_strip.h"
#include "core/export/palette_rows.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace velora {

namespace {
constexpr float kDotsPerInch = 96.0f;

// --- libtiff on the output device --------------------------------------------

QIODevice& DeviceOf(thandle_t handle) { return *static_cast<QIODevice*>(handle); }

tmsize_t ReadProc(thandle_t, void*, tmsize_t) { return -1; }  // never read back

tmsize_t WriteProc(thandle_t handle, void* data, tmsize_t size) {
    return tmsize_t(DeviceOf(handle).write(static_cast<const char*>(data), qint64(size)));
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    QIODevice& device = DeviceOf(handle);
    qint64 target = qint64(offset);
    if (whence == SEEK_CUR) target += device.pos();
    if (whence == SEEK_END) target += device.size();
    return device.seek(target) ? toff_t(target) : toff_t(-1);
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) { return toff_t(DeviceOf(handle).size()); }

int MapProc(thandle_t, void**, toff_t*) { return 0; }

void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* userData, const char* module, const char* format, va_list args) {
    auto& message = *static_cast<QString*>(userData);
    if (message.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        message = QString::fromLocal8Bit(module ? module : "") + QStringLiteral(": ") +
                  QString::fromLocal8Bit(text);
    }
    return 1;  // handled: keep libtiff's process-wide handler quiet
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// An open TIFF being written to the device; the first libtiff error is kept
// for the message.
class TiffHandle {
public:
    explicit TiffHandle(QIODevice& device) {
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &m_message);
        TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, nullptr);
        m_tiff = TIFFClientOpenExt("export", "wl", &device, ReadProc, WriteProc, SeekProc,
                                   CloseProc, SizeProc, MapProc, UnmapProc, options);
        TIFFOpenOptionsFree(options);
        if (!m_tiff) Fail();
    }
    ~TiffHandle() {
        if (m_tiff) TIFFClose(m_tiff);
    }
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;

    TIFF* Get() const { return m_tiff; }
    void Check(int status) const {
        if (status != 1) Fail();
    }
    void WriteStrip(uint32_t strip, std::vector<uchar>& bytes, size_t size) const {
        if (TIFFWriteEncodedStrip(m_tiff, strip, bytes.data(), tmsize_t(size)) < 0) Fail();
    }
    // A strip compressed already.
    void WriteRawStrip(uint32_t strip, std::vector<uint8_t>& bytes) const {
        if (TIFFWriteRawStrip(m_tiff, strip, bytes.data(), tmsize_t(bytes.size())) < 0) Fail();
    }
    void Close() {
        const int flushed = TIFFFlush(m_tiff);
        TIFFClose(m_tiff);
        m_tiff = nullptr;
        if (flushed != 1) Fail();
    }

private:
    [[noreturn]] void Fail() const {
        throw VeloraError(QStringLiteral("TIFF encoder: ") +
                          (m_message.isEmpty() ? QStringLiteral("failed") : m_message));
    }

    QString m_message;
    TIFF* m_tiff = nullptr;
};

// --- layout ---------------------------------------------------------------------

uint16_t TiffCompression(int compression) {
    switch (compression) {
        case kCompressionLzw:
            return COMPRESSION_LZW;
        case kCompressionCcitt3:
            return COMPRESSION_CCITTFAX3;
        case kCompressionCcitt4:
            return COMPRESSION_CCITTFAX4;
        case kCompressionRle:
            // The RLE value is CCITT's modified Huffman run-length code, a
            // bilevel scheme like the two fax codes beside it; PackBits would
            // take any depth, and the encoder allows RLE only at 1 bit.
            return COMPRESSION_CCITTRLE;
        default:
            return COMPRESSION_NONE;
    }
}

void SetPalette(const TiffHandle& tiff, const std::vector<QRgb>& palette, int bits) {
    // The colour map holds 2^bits entries of 16-bit values; unused ones stay black.
    const size_t entries = size_t(1) << bits;
    std::vector<uint16_t> red(entries, 0), green(entries, 0), blue(entries, 0);
    for (size_t i = 0; i < palette.size(); ++i) {
        red[i] = uint16_t(qRed(palette[i]) * 257);
        green[i] = uint16_t(qGreen(palette[i]) * 257);
        blue[i] = uint16_t(qBlue(palette[i]) * 257);
    }
    tiff.Check(TIFFSetField(tiff.Get(), TIFFTAG_COLORMAP, red.data(), green.data(), blue.data()));
}

// Differences between neighbours compress far better than colours.
bool UsesPredictor(const TiffOptions& options) {
    return options.colorDepth >= 24 && options.compression == kCompressionLzw;
}

size_t RowBytes(int width, int depth) { return (size_t(width) * size_t(depth) + 7) / 8; }

int RowsPerStrip(QSize size, int depth) {
    return int(std::clamp<qint64>(kTiffStripBytes / qint64(RowBytes(size.width(), depth)), 1,
                                  size.height()));
}

void SetLayout(const TiffHandle& tiff, QSize size, const TiffOptions& options) {
    TIFF* t = tiff.Get();
    const int depth = options.colorDepth;
    const uint16_t samples = depth == 32 ? 4 : depth == 24 ? 3 : 1;
    const uint16_t bitsPerSample = depth >= 24 ? 8 : uint16_t(depth);
    const uint16_t photometric = depth == 1   ? PHOTOMETRIC_MINISWHITE
                                 : depth <= 8 ? PHOTOMETRIC_PALETTE
                                              : PHOTOMETRIC_RGB;
    tiff.Check(TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(size.width())));
    tiff.Check(TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(size.height())));
    tiff.Check(TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples));
    tiff.Check(TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bitsPerSample));
    tiff.Check(TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometric));
    tiff.Check(TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG));
    tiff.Check(TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT));
    tiff.Check(TIFFSetField(t, TIFFTAG_COMPRESSION, TiffCompression(options.compression)));
    if (depth == 32) {
        const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        tiff.Check(TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &extra));
    }
    if (UsesPredictor(options)) {
        tiff.Check(TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL));
    }
    tiff.Check(TIFFSetField(t, TIFFTAG_XRESOLUTION, kDotsPerInch));
    tiff.Check(TIFFSetField(t, TIFFTAG_YRESOLUTION, kDotsPerInch));
    tiff.Check(TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH));
    tiff.Check(TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, uint32_t(RowsPerStrip(size, depth))));
}

// --- rows -------------------------------------------------------------------------

// Fills each strip a row at a time with fill(y, row) and writes it. libtiff
// may encode in place (the predictor does), which the strip buffer allows.
// LZW strips are compressed here, to the same bytes, faster than libtiff
// does, after the horizontal predictor where the layout asks for it.
void WriteStrips(const TiffHandle& tiff, QSize size, const TiffOptions& options,
                 const std::function<void(int y, uchar* row)>& fill) {
    const int depth = options.colorDepth;
    const size_t rowBytes = RowBytes(size.width(), depth);
    const int rowsPerStrip = RowsPerStrip(size, depth);
    std::vector<uchar> strip(rowBytes * size_t(rowsPerStrip));
    const bool lzw = options.compression == kCompressionLzw;
    LzwStrip compressor;
    std::vector<uint8_t> compressed;
    for (int top = 0; top < size.height(); top += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, size.height() - top);
        for (int i = 0; i < rows; ++i) fill(top + i, strip.data() + rowBytes * size_t(i));
        const uint32_t index = uint32_t(top / rowsPerStrip);
        if (!lzw) {
            tiff.WriteStrip(index, strip, rowBytes * size_t(rows));
            continue;
        }
        if (UsesPredictor(options)) PredictRows(strip.data(), rowBytes, size_t(rows), depth / 8);
        compressor.Compress(std::span(strip.data(), rowBytes * size_t(rows)), compressed);
        tiff.WriteRawStrip(index, compressed);
    }
}

void PackIndices(const uchar* indices, int width, int bits, uchar* line) {
    if (bits == 8) {
        std::memcpy(line, indices, size_t(width));
        return;
    }
    for (int x = 0; x < width; x += 2) {
        const uchar low = x + 1 < width ? indices[x + 1] : 0;
        line[x / 2] = uchar((indices[x] << 4) | low);
    }
}

void WriteRows(const TiffHandle& tiff, RowSource& rows, const TiffOptions& options,
               PaletteRows* palette) {
    const QSize size = rows.Size();
    const int depth = options.colorDepth;
    if (depth >= 24) {
        const RowLayout layout = depth == 32 ? RowLayout::Rgba8888 : RowLayout::Rgb888;
        WriteStrips(tiff, size, options, [&](int y, uchar* row) { rows.Read(y, layout, row); });
        return;
    }
    std::vector<uchar> rgb(size_t(size.width()) * 3);
    if (palette) {
        std::vector<uchar> indices(size_t(size.width()));
        WriteStrips(tiff, size, options, [&](int y, uchar* row) {
            rows.Read(y, RowLayout::Rgb888, rgb.data());
            palette->Next(rgb.data(), indices.data());
            PackIndices(indices.data(), size.width(), depth, row);
        });
        return;
    }
    BilevelDither dither(size.width());
    WriteStrips(tiff, size, options, [&](int y, uchar* row) {
        rows.Read(y, RowLayout::Rgb888, rgb.data());
        dither.Next(rgb.data(), row);
    });
}
}  // namespace

void WriteTiff(RowSource& rows, OutputFile& file, const TiffOptions& options) {
    const int depth = options.colorDepth;
    // The palette is chosen before the file is started, so a failure there
    // leaves nothing to clean up in libtiff.
    std::optional<PaletteRows> palette;
    if (depth == 4 || depth == 8) palette.emplace(rows, 1 << depth);
    try {
        TiffHandle tiff(file.Device());
        SetLayout(tiff, rows.Size(), options);
        if (palette) SetPalette(tiff, palette->Palette(), depth);
        WriteRows(tiff, rows, options, palette ? &*palette : nullptr);
        tiff.Close();
    } catch (const VeloraError& error) {
        file.FailEncoding(error.Message());
    }
}

}  // namespace velora
