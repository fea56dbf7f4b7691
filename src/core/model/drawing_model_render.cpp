// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering of the drawing model and the caches that make repainting cheap:
// the area tiles, the stroked outlines and the last screen picture.
#include "core/model/drawing_model.h"

#include "core/model/area_fills.h"
#include "core/model/curve_layer.h"
#include "core/model/fingerprint.h"
#include "core/model/picture_cache.h"
#include "core/model/pixel_target.h"
#include "core/model/region_item.h"
#include "core/model/render_pass.h"

#include <QPainter>

namespace velora {

void CDrawingModel::Render(QPainter& painter, bool exportMode) {
    const QRect drawing(0, 0, m_width, m_height);
    PixelTarget target(painter);
    const RenderPass pass(*this, exportMode, target.IsDirect() ? target.Bounds() : drawing);
    // Views repaint in screen mode again and again; exports happen once.
    // Pixels outside the drawing are the target's own, so only a target
    // within the drawing can take a kept picture. The fingerprint reads the
    // whole mask and every region, which takes longer than rendering a small
    // part afresh: the small parts a pen stroke or a click makes stale are
    // neither kept nor looked for.
    const QRect bounds = target.Bounds();
    const bool keep = target.IsDirect() && !exportMode && drawing.contains(bounds) &&
                      qint64{bounds.width()} * bounds.height() >= kPixelsPerBand;
    const uint64_t picture = keep ? PictureFingerprint(pass.Fills()) : 0;
    if (keep && m_pictureCache->Restore(target, picture)) return;
    pass.Paint(painter);
    if (keep) m_pictureCache->Store(target, picture);
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
            .Add(static_cast<uint64_t>(region->GetTileImage().cacheKey()));
        for (const QRect& rect : region->GetRegion()) {
            fingerprint.Add((uint64_t(uint32_t(rect.left())) << 32) | uint32_t(rect.top()));
            fingerprint.Add((uint64_t(uint32_t(rect.right())) << 32) | uint32_t(rect.bottom()));
        }
    }
    return fingerprint.Value();
}

void CDrawingModel::DrawCurves(QPainter& painter, float penWidth, bool antialias) const {
    // The smoothing stays switched on for whoever paints next.
    if (antialias) painter.setRenderHint(QPainter::Antialiasing, true);
    StrokeCurves(painter, m_curves, penWidth, painter.testRenderHint(QPainter::Antialiasing));
}

}  // namespace velora
