// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/parallel.h"
#include "core/geometry/mono_bitmap.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <thread>
#include <vector>

namespace velora {

// Where rendering puts its pixels. When the painter draws untransformed into
// an image of a common format, pixels are written straight into its rows,
// which keeps a repaint of thousands of regions close to the cost of one
// full-frame copy; any other painter gets the same result through QPainter.
class PixelTarget {
public:
    explicit PixelTarget(QPainter& painter);

    void FillRect(const QRect& rect, QRgb color);
    void FillRegion(const QRegion& region, QRgb color);
    // Draws the mask at (0, 0): black for outline pixels, white for light.
    void DrawMask(const MonoBitmap& mask);
    // Copies the source (16 or 24-bit) through the region; the source's top
    // left pixel lands at sourceOrigin.
    void CopyRegion(const QRegion& region, const QImage& source, QPoint sourceOrigin);

    // Pixels are written straight into an image; the operations below need it.
    bool IsDirect() const { return m_bits != nullptr; }
    // The drawing pixels the image holds.
    const QRect& Bounds() const { return m_bounds; }
    // The same target limited to a part of its bounds; parts of one image
    // may be painted from several threads at once.
    PixelTarget Band(const QRect& part) const;
    // The pixels of the bounds as a 16-bit image (null for other formats),
    // and back: CopyIn is false, changing nothing, when the image does not
    // fit the bounds and format.
    QImage CopyOut() const;
    bool CopyIn(const QImage& picture);
    // Paints black over n pixels of row y from x with the given coverage
    // (0 to 255 each), as an antialiased black pen does.
    void DarkenSpan(int y, int x, const uint8_t* coverage, int n);

private:
    // Row y of the drawing in the target image.
    uchar* Row(int y) const { return m_bits + static_cast<qsizetype>(y + m_offset.y()) * m_stride; }
    void FillRectDirect(QRect rect, QRgb color);
    void CopyRectDirect(QRect rect, const QImage& source, QPoint sourceOrigin);

    QPainter& m_painter;
    uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    QImage::Format m_format = QImage::Format_Invalid;
    QPoint m_offset;
    QRect m_bounds;
};

// Below this many pixels a second thread costs more than it saves.
inline constexpr qint64 kPixelsPerBand = 1'000'000;

// Paints horizontal bands of the target at once, one per core: every layer
// of a rendering only touches the rows it is given.
template <typename PaintBand>
void PaintInBands(const PixelTarget& target, PaintBand paintBand) {
    const QRect bounds = target.Bounds();
    const qint64 pixels = qint64{bounds.width()} * bounds.height();
    // Asking the system costs a call into it on every small repaint.
    static const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int bands = static_cast<int>(std::clamp<qint64>(pixels / kPixelsPerBand, 1, cores));
    RunInParallel(bands, [&](int i) {
        const int top = bounds.top() + static_cast<int>(qint64{bounds.height()} * i / bands);
        const int bottom =
            bounds.top() + static_cast<int>(qint64{bounds.height()} * (i + 1) / bands);
        PixelTarget band = target.Band(QRect(bounds.left(), top, bounds.width(), bottom - top));
        paintBand(band);
    });
}

}  // namespace velora
