// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/gif_writer.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "core/export/palette_rows.h"

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace velora {

namespace {
constexpr int kGifColors = 256;
constexpr int kColorResolution = 8;

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length) {
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return int(device->write(reinterpret_cast<const char*>(data), length));
}

struct ColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, ColorMapDeleter> ColorMap(const std::vector<QRgb>& palette) {
    // A GIF colour table has a power-of-two size; unused entries stay black.
    std::vector<GifColorType> colors(kGifColors, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i) {
        colors[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                     GifByteType(qBlue(palette[i]))};
    }
    std::unique_ptr<ColorMapObject, ColorMapDeleter> map(
        GifMakeMapObject(kGifColors, colors.data()));
    if (!map) throw std::bad_alloc();
    return map;
}

// Owns the giflib handle until it is closed.
class GifHandle {
public:
    explicit GifHandle(QIODevice& device) {
        int error = 0;
        m_gif = EGifOpen(&device, WriteToDevice, &error);
        if (!m_gif) Throw(error);
    }
    ~GifHandle() {
        if (m_gif) EGifCloseFile(m_gif, nullptr);
    }
    GifHandle(const GifHandle&) = delete;
    GifHandle& operator=(const GifHandle&) = delete;

    GifFileType* Get() const { return m_gif; }
    void Check(int status) const {
        if (status == GIF_ERROR) Throw(m_gif->Error);
    }
    void Close() {
        int error = 0;
        const int status = EGifCloseFile(m_gif, &error);
        m_gif = nullptr;
        if (status == GIF_ERROR) Throw(error);
    }

private:
    [[noreturn]] static void Throw(int error) {
        throw VeloraError(QStringLiteral("GIF encoder: ") +
                          QString::fromLatin1(GifErrorString(error)));
    }
    GifFileType* m_gif = nullptr;
};
}  // namespace

void WriteGif(RowSource& rows, OutputFile& file) {
    const int width = rows.Size().width();
    const int height = rows.Size().height();
    PaletteRows palette(rows, kGifColors);
    const auto map = ColorMap(palette.Palette());
    std::vector<uchar> rgb(size_t(width) * 3);
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    try {
        GifHandle gif(file.Device());
        gif.Check(EGifPutScreenDesc(gif.Get(), width, height, kColorResolution, 0, map.get()));
        gif.Check(EGifPutImageDesc(gif.Get(), 0, 0, width, height, false, nullptr));
        for (int y = 0; y < height; ++y) {
            rows.Read(y, RowLayout::Rgb888, rgb.data());
            palette.Next(rgb.data(), line.data());
            gif.Check(EGifPutLine(gif.Get(), line.data(), width));
        }
        gif.Close();
    } catch (const VeloraError& error) {
        file.FailEncoding(error.Message());
    }
}

}  // namespace velora
