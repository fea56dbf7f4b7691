// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/hairline_band.h"
#include "core/model/area_fills.h"

#include <QPainter>

#include <vector>

namespace velora {

class CDrawingModel;
class PixelTarget;

// One rendering of a model, as CDrawingModel::Render makes it, made
// ready once and then painted a part at a time: the regions of areas whose
// image changed take it as their tiles and the changed flags are cleared, as
// one rendering does; every Paint then paints any part of the drawing, from
// any thread, with exactly the pixels the whole picture has there. Exports
// paint band after band this way and never hold the whole picture.
//
// Screen mode keeps the model's smooth outline layer for the repaints to
// come; export mode uses it when it already holds the curves and otherwise
// strokes each part's outlines as it paints it.
class RenderPass {
public:
    // picture: the part of the drawing the pass paints (or beyond it), which
    // the outlines are stroked for: the whole drawing for any part of it.
    RenderPass(CDrawingModel& model, bool exportMode, const QRect& picture);
    RenderPass(const RenderPass&) = delete;
    RenderPass& operator=(const RenderPass&) = delete;

    bool ExportMode() const { return m_exportMode; }
    const AreaFills& Fills() const { return m_fills; }
    // Paints the bounds of a direct target.
    void Paint(PixelTarget& target) const;
    // Paints whatever the painter covers: in parallel bands for a direct
    // target, through the painter otherwise.
    void Paint(QPainter& painter) const;

private:
    enum class Outlines { None, Layer, Smooth, Aliased };

    void PaintLayers(PixelTarget& target) const;
    // The smooth or aliased outlines of the target's rows, stroked for them.
    void StrokeOutlines(PixelTarget& target) const;

    CDrawingModel& m_model;
    bool m_exportMode;
    AreaFills m_fills;
    QRect m_area;  // of the outlines
    Outlines m_outlines = Outlines::None;
    std::vector<HairlineBand::RowSpan> m_curveRows;
};

}  // namespace velora
