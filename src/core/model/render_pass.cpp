// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/render_pass.h"

#include "core/model/curve_layer.h"
#include "core/model/drawing_model.h"
#include "core/model/pixel_target.h"

#include <algorithm>

namespace velora {

namespace {
constexpr QRgb kBackground = 0xFFFFFFFF;
constexpr QRgb kSelectedWithoutImage = 0xFFFF0000;
constexpr QRgb kOutline = 0xFF000000;
// Outlines stroked for a part are stroked in bands of at most this many
// pixels a plane.
constexpr qint64 kStrokeBandPixels = qint64(4) << 20;

// The first pixel from x on whose test holds, or end.
template <typename Test>
int NextWhere(const uint8_t* row, int x, int end, Test test) {
    while (x < end && !test(row[x])) ++x;
    return x;
}

bool AnyAreaChanged(const CDrawingModel& model) {
    return std::ranges::any_of(model.Areas(), &CArea::IsChanged);
}

// A large picture, or new area images for every region, looks up the fill
// of many regions; a small repaint looks up the few regions it reaches.
bool LooksUpMany(const CDrawingModel& model, const QRect& picture) {
    return qint64{picture.width()} * picture.height() >= kPixelsPerBand || AnyAreaChanged(model);
}
}  // namespace

RenderPass::RenderPass(CDrawingModel& model, bool exportMode, const QRect& picture)
    : m_model(model),
      m_exportMode(exportMode),
      m_fills(model.m_areas, LooksUpMany(model, picture)),
      m_area(CurveLayer::AreaFor(picture, QSize(model.m_width, model.m_height))) {
    // A region takes its area's image for its tiles only when that image
    // changed since the last rendering; until then it shows the image it
    // last took, or nothing.
    if (AnyAreaChanged(model)) {
        for (const auto& region : model.m_regions) {
            const auto [image, changed] = m_fills.Find(region->GetName());
            if (image && changed) region->SetTileImage(*image);
        }
    }
    model.m_tileImages->Refresh(model.m_regions);
    for (CArea& area : model.m_areas) area.SetChanged(false);

    const auto& curves = model.m_curves;
    if (model.m_smoothLines && !exportMode) {
        model.m_curveLayer->Update(curves, m_area);
        m_outlines = Outlines::Layer;
    } else if (model.m_smoothLines) {
        m_outlines = model.m_curveLayer->Holds(curves, m_area) ? Outlines::Layer : Outlines::Smooth;
    } else if (exportMode) {
        m_outlines = Outlines::Aliased;
    }
    if (m_outlines == Outlines::Smooth || m_outlines == Outlines::Aliased) {
        m_curveRows.reserve(curves.size());
        for (const auto& curve : curves) {
            m_curveRows.push_back(HairlineBand::RowsOf(curve->GetPath()));
        }
    }
}

void RenderPass::Paint(PixelTarget& target) const {
    PaintLayers(target);
    if (m_outlines == Outlines::Layer) {
        m_model.m_curveLayer->BlendInto(target);
    } else if (m_outlines != Outlines::None) {
        StrokeOutlines(target);
    }
}

void RenderPass::Paint(QPainter& painter) const {
    PixelTarget target(painter);
    if (target.IsDirect()) {
        PaintInBands(target, [&](PixelTarget& band) { Paint(band); });
        return;
    }
    PaintLayers(target);
    if (m_model.m_smoothLines || m_exportMode) {
        m_model.DrawCurves(painter, 1.0f, m_model.m_smoothLines);
    }
}

void RenderPass::PaintLayers(PixelTarget& target) const {
    const CDrawingModel& model = m_model;
    const QRect drawing(0, 0, model.m_width, model.m_height);
    const MonoBitmap& mask = model.m_mask;
    const bool drawMask = !mask.IsNull() && !m_exportMode;
    // A mask as large as the drawing paints every pixel of the background.
    if (!drawMask || !QRect(0, 0, mask.Width(), mask.Height()).contains(drawing)) {
        target.FillRect(drawing, kBackground);
    }
    if (drawMask) target.DrawMask(mask);

    const bool markSelection = !m_exportMode && !model.m_correctionMode;
    for (const auto& region : model.m_regions) {
        const QRect& box = region->Box();
        // Only the part of a region inside the drawing is ever painted.
        const QRect inside = box & drawing;
        if (target.IsDirect() && !inside.intersects(target.Bounds())) continue;
        const QRegion& shape = region->GetRegion();
        if (!m_fills.Find(region->GetName()).image) {
            if (region->IsSelected() && markSelection) {
                target.FillRegion(shape, kSelectedWithoutImage);
            }
            continue;
        }
        const QImage& image = region->GetTileImage();
        if (image.isNull()) continue;
        if (target.IsDirect()) {
            target.TileRegion(shape, model.m_tileImages->Opaque(image), box.topLeft(), drawing);
        } else {
            const QImage bitmap = model.m_tileImages->TileBitmap(image, inside.size(),
                                                                 inside.topLeft() - box.topLeft());
            if (!bitmap.isNull()) target.CopyRegion(shape, bitmap, inside.topLeft());
        }
    }
}

void RenderPass::StrokeOutlines(PixelTarget& target) const {
    const QRect rows = target.Bounds() & m_area;
    if (rows.isEmpty()) return;
    const bool smooth = m_outlines == Outlines::Smooth;
    const int bandRows =
        int(std::clamp<qint64>(kStrokeBandPixels / m_area.width(), 1, qint64(rows.height())));
    // Each thread keeps its band's memory from part to part: fresh pages for
    // every part cost more than stroking it.
    thread_local HairlineBand band(QRect(), 0, 0, 0);
    band.Reset(m_area, rows.top(), bandRows,
               smooth ? HairlineBand::kCoverage : HairlineBand::kShade);
    const auto& curves = m_model.m_curves;
    const int left = rows.left() - m_area.left();
    const int end = rows.right() + 1 - m_area.left();
    for (int top = rows.top(); top <= rows.bottom(); top += bandRows) {
        band.Restart(top, std::min(bandRows, rows.bottom() + 1 - top));
        for (size_t i = 0; i < curves.size(); ++i) {
            if (!band.MayReach(m_curveRows[i])) continue;
            band.Stroke(curves[i]->GetPath(),
                        smooth ? HairlineBand::kSmoothStroke : HairlineBand::kAliasedStroke);
        }
        for (int y = band.Top(); y < band.Top() + band.Rows(); ++y) {
            const uint8_t* row = smooth ? band.CoverageRow(y) : band.ShadeRow(y);
            const auto marked = [smooth](uint8_t value) {
                return smooth ? value != 0 : value == 0;
            };
            const auto clear = [&](uint8_t value) { return !marked(value); };
            for (int x = NextWhere(row, left, end, marked); x < end;) {
                const int stop = NextWhere(row, x, end, clear);
                const int drawingX = x + m_area.left();
                if (smooth) {
                    target.DarkenSpan(y, drawingX, row + x, stop - x);
                } else {
                    target.FillRect(QRect(drawingX, y, stop - x, 1), kOutline);
                }
                x = NextWhere(row, stop, end, marked);
            }
        }
    }
}

}  // namespace velora
