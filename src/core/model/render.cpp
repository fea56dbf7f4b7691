#include "core/model/drawing_model.h"
#include "core/model/pixel_target.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
constexpr QRgb kBackground = 0xFFFFFFFF;
constexpr QRgb kSelectedWithoutImage = 0xFFFF0000;

// The texture as the 24-bit tile cache holds it. Transparent parts are
// painted over black, as a texture brush paints into a fresh 24-bit bitmap.
QImage OpaqueTexture(const QImage& image) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB888);
    QImage opaque(image.size(), QImage::Format_RGB888);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

// A bitmap of the box's size with the texture repeated from its top left.
QImage TileCache(const QImage& image, const QRect& box) {
    QImage cache(box.size(), QImage::Format_RGB888);
    const QImage tile = OpaqueTexture(image);
    if (cache.isNull() || tile.isNull()) return {};
    const int tileRowBytes = tile.width() * 3;
    const int rowBytes = box.width() * 3;
    for (int y = 0; y < box.height(); ++y) {
        const uchar* source = tile.constScanLine(y % tile.height());
        uchar* target = cache.scanLine(y);
        for (int x = 0; x < rowBytes; x += tileRowBytes) {
            std::memcpy(target + x, source, std::min(tileRowBytes, rowBytes - x));
        }
    }
    return cache;
}
}  // namespace

void CDrawingModel::Render(QPainter& painter, bool exportMode) {
    m_originX = 0;
    m_originY = 0;
    PixelTarget target(painter);
    target.FillRect(QRect(0, 0, m_width, m_height), kBackground);
    if (!m_mask.IsNull() && !exportMode) target.DrawMask(m_mask);

    const bool markSelection = !exportMode && !m_correctionMode;
    for (const auto& region : m_regions) {
        bool changed = false;
        const QImage* image = FindAreaImage(region->GetName(), &changed);
        const QRegion& shape = region->GetRegion();
        if (!image) {
            if (region->IsSelected() && markSelection) {
                target.FillRegion(shape, kSelectedWithoutImage);
            }
            continue;
        }
        const QRect box = shape.boundingRect();
        if (changed) region->SetCacheBitmap(TileCache(*image, box));
        const QImage& cache = region->GetCacheBitmap();
        if (!cache.isNull()) target.CopyRegion(shape, cache, box.topLeft());
    }

    if (m_smoothLines || exportMode) DrawCurves(painter, 1.0f, m_smoothLines);
    for (CArea& area : m_areas) area.SetChanged(false);
}

void CDrawingModel::DrawCurves(QPainter& painter, float penWidth, bool antialias) const {
    if (antialias) painter.setRenderHint(QPainter::Antialiasing, true);
    painter.save();
    if (painter.testRenderHint(QPainter::Antialiasing)) {
        // Smooth outlines are placed with pixel centres on integer
        // coordinates, so a line on a pixel row covers that row rather than
        // half of two rows; the mask threshold relies on it.
        painter.setTransform(painter.transform() * QTransform::fromTranslate(0.5, 0.5));
    }
    QPen pen(QColor(0, 0, 0), penWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const auto& curve : m_curves) painter.drawPath(curve->GetPath().ToPainterPath());
    painter.restore();
}

}  // namespace velora
