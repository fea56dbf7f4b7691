// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QPaintDevice>
#include <QSize>

#include <memory>
#include <vector>

namespace velora {

class RecordingPaintEngine;

// What a painting left behind as outlines, in device coordinates: one path
// piece per figure, ready to be chained. A closed figure ends where it
// starts, with its last point marked as closing it.
struct RecordedFigures {
    std::vector<Path> paths;
    qint64 points = 0;
    // Pictures drawn into the painting, which give no outline.
    int images = 0;
    // More points were painted than the recording keeps; the rest were dropped.
    bool overflowed = false;
    // Recording units per unit of the drawing recorded.
    double unitsPerDrawingUnit = 1;
};

// A paint device that keeps the outlines of everything painted on it instead
// of pixels, so that any renderer that paints with QPainter (an SVG or PDF
// renderer) hands its drawing over as figures. Each path, line, rectangle,
// ellipse, polygon and text outline is taken after the painter's transform
// and clip:
// - a stroke with a pen of some width becomes the outline of the ink it lays
//   down (as if drawn solid), so the paper between strokes ends exactly where
//   the ink does; a cosmetic (hairline) stroke stays the line it follows,
//   open unless it returns to its start;
// - a fill without stroke becomes the outline of the filled shape, each of
//   its contours closed;
// - paper-coloured paint that covers the whole page before anything else is
//   the page itself, not the drawing, and is passed over;
// - pictures are counted and otherwise ignored.
class RecordingPaintDevice : public QPaintDevice {
public:
    // Enough for the largest drawings people colour, and what a template can
    // still draw and save.
    static constexpr qint64 kMaxPoints = 20'000'000;

    explicit RecordingPaintDevice(QSize size, qint64 maxPoints = kMaxPoints);
    ~RecordingPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    // The figures recorded so far, leaving the device empty.
    RecordedFigures TakeFigures();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<RecordingPaintEngine> m_engine;
};

}  // namespace velora
