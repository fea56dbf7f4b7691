// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering of the drawing model and the caches that make repainting cheap:
// the area tiles, the stroked outlines and the last screen picture.
#include "core/model/drawing_model.h"

#include "core/model/area_fills.h"
#include "core/model/curve_layer.h"
#include "core/model/fingerprint.h"
#include "core/model/picture_cache.h"
#include "core/model/pixel_target.h"

#include <QPainter>

#include <algorithm>

namespace velora {

namespace {
constexpr QRgb kBackground = 0xFFFFFFFF;
constexpr QRgb kSelectedWithoutImage = 0xFFFF0000;
// Views and exports draw into 16-bit images, so tiles are kept in that
// format and copy to them without conversion.
constexpr QImage::Format kTileFormat = QImage::Format_RGB16;
}  // namespace

void CDrawingModel::Render(QPainter& painter, bool exportMode) {
    AreaFills fills(m_areas, kTileFormat);
    RefreshTileCaches(fills);

    PixelTarget target(painter);
    if (target.IsDirect()) {
        if (m_smoothLines) m_curveLayer->Update(m_curves, target.Bounds());
        // Views repaint in screen mode again and again; exports happen once.
        // Pixels outside the drawing are the target's own, so only a target
        // within the drawing can take a kept picture. The fingerprint reads
        // the whole mask and every region, which takes longer than rendering
        // a small part afresh: the small parts a pen stroke or a click makes
        // stale are neither kept nor looked for.
        const QRect bounds = target.Bounds();
        const bool keep = !exportMode && QRect(0, 0, m_width, m_height).contains(bounds) &&
                          qint64{bounds.width()} * bounds.height() >= kPixelsPerBand;
        const uint64_t picture = keep ? PictureFingerprint(fills) : 0;
        if (!keep || !m_pictureCache->Restore(target, picture)) {
            PaintInBands(target, [&](PixelTarget& band) {
                PaintLayers(band, fills, exportMode);
                if (m_smoothLines) m_curveLayer->BlendInto(band);
            });
            if (keep) m_pictureCache->Store(target, picture);
        }
        if (!m_smoothLines && exportMode) DrawCurves(painter, 1.0f, false);
    } else {
        PaintLayers(target, fills, exportMode);
        if (m_smoothLines || exportMode) DrawCurves(painter, 1.0f, m_smoothLines);
    }
    for (CArea& area : m_areas) area.SetChanged(false);
}

// Everything the screen picture that PaintLayers and the smooth outlines draw
// is made from: a kept picture with the same fingerprint is the same picture.
uint64_t CDrawingModel::PictureFingerprint(const AreaFills& fills) const {
    Fingerprint fingerprint;
    fingerprint.Add(m_width).Add(m_height).Add(m_correctionMode);
    fingerprint.Add(m_smoothLines ? m_curveLayer->CurvesFingerprint() : 0);
    if (!m_mask.IsNull()) {
        fingerprint.Add(m_mask.Width()).Add(m_mask.Height());
        fingerprint.AddBytes(m_mask.Bits().data(), m_mask.Bits().size());
    }
    for (const auto& region : m_regions) {
        fingerprint.Add(region->IsSelected())
            .Add(fills.Find(region->GetName()).image != nullptr)
            .Add(static_cast<uint64_t>(region->GetCacheBitmap().cacheKey()));
        for (const QRect& rect : region->GetRegion()) {
            fingerprint.Add((uint64_t(uint32_t(rect.left())) << 32) | uint32_t(rect.top()));
            fingerprint.Add((uint64_t(uint32_t(rect.right())) << 32) | uint32_t(rect.bottom()));
        }
    }
    return fingerprint.Value();
}

// A region is re-tiled only when its area's image changed since the last
// rendering; every other rendering copies its cached tile. The tile covers
// only the part of the region's box inside the drawing, the only part ever
// painted, tiled from the box's top left as the whole box would be: a region
// that reaches far outside the drawing costs no more than one inside it.
void CDrawingModel::RefreshTileCaches(AreaFills& fills) {
    if (std::ranges::none_of(m_areas, &CArea::IsChanged)) return;
    for (const auto& region : m_regions) {
        const auto [image, changed] = fills.Find(region->GetName());
        if (image && changed) {
            const QRect box = region->GetRegion().boundingRect();
            const QRect inside = TileArea(region->GetRegion());
            region->SetCacheBitmap(
                fills.TileCache(*image, inside.size(), inside.topLeft() - box.topLeft()));
        }
    }
}

QRect CDrawingModel::TileArea(const QRegion& shape) const {
    return shape.boundingRect() & QRect(0, 0, m_width, m_height);
}

void CDrawingModel::PaintLayers(PixelTarget& target, const AreaFills& fills,
                                bool exportMode) const {
    const QRect drawing(0, 0, m_width, m_height);
    const bool drawMask = !m_mask.IsNull() && !exportMode;
    // A mask as large as the drawing paints every pixel of the background.
    if (!drawMask || !QRect(0, 0, m_mask.Width(), m_mask.Height()).contains(drawing)) {
        target.FillRect(drawing, kBackground);
    }
    if (drawMask) target.DrawMask(m_mask);

    const bool markSelection = !exportMode && !m_correctionMode;
    for (const auto& region : m_regions) {
        const QRect box = region->Box() & drawing;
        if (target.IsDirect() && !box.intersects(target.Bounds())) continue;
        const QRegion& shape = region->GetRegion();
        if (!fills.Find(region->GetName()).image) {
            if (region->IsSelected() && markSelection) {
                target.FillRegion(shape, kSelectedWithoutImage);
            }
            continue;
        }
        const QImage& cache = region->GetCacheBitmap();
        if (!cache.isNull()) target.CopyRegion(shape, cache, box.topLeft());
    }
}

void CDrawingModel::DrawCurves(QPainter& painter, float penWidth, bool antialias) const {
    // The smoothing stays switched on for whoever paints next.
    if (antialias) painter.setRenderHint(QPainter::Antialiasing, true);
    StrokeCurves(painter, m_curves, penWidth, painter.testRenderHint(QPainter::Antialiasing));
}

}  // namespace velora
