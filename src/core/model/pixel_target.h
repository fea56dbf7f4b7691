#pragma once

#include "core/geometry/mono_bitmap.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

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
    // Copies the 24-bit source through the region; the source's top left
    // pixel lands at sourceOrigin.
    void CopyRegion(const QRegion& region, const QImage& source, QPoint sourceOrigin);

private:
    bool IsDirect() const { return m_image != nullptr; }
    void FillRectDirect(QRect rect, QRgb color);
    void CopyRectDirect(QRect rect, const QImage& source, QPoint sourceOrigin);

    QPainter& m_painter;
    QImage* m_image = nullptr;
    QPoint m_offset;
    QRect m_bounds;
};

}  // namespace velora
