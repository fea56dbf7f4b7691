// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/recording_paint_device.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <climits>
#include <cmath>

namespace velora {

namespace {

bool Visible(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) return false;
    return brush.style() != Qt::SolidPattern || brush.color().alpha() > 0;
}

// Paper is white or nearly so.
bool PaperColoured(const QBrush& brush) {
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 &&
           qGray(brush.color().rgb()) >= 250;
}

bool Finite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Builds the figures of a painter path in the points and types of our paths.
class FigureBuilder {
public:
    FigureBuilder(RecordedFigures& out, qint64 maxPoints, bool closeAll)
        : m_out(out), m_maxPoints(maxPoints), m_closeAll(closeAll) {}

    void Add(const QPainterPath& path) {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            switch (e.type) {
                case QPainterPath::MoveToElement:
                    Flush();
                    Append(e, PathPointType::Start);
                    break;
                case QPainterPath::LineToElement:
                    Append(e, PathPointType::Line);
                    break;
                case QPainterPath::CurveToElement:
                    if (i + 2 >= path.elementCount()) return Flush();
                    Append(e, PathPointType::Bezier);
                    Append(path.elementAt(i + 1), PathPointType::Bezier);
                    Append(path.elementAt(i + 2), PathPointType::Bezier);
                    i += 2;
                    break;
                case QPainterPath::CurveToDataElement:
                    break;
            }
        }
        Flush();
    }

private:
    void Append(const QPointF& p, uint8_t type) {
        if (!Finite(p)) m_broken = true;
        m_points.push_back({static_cast<float>(p.x()), static_cast<float>(p.y())});
        m_types.push_back(type);
    }

    // A figure with extent is kept; one that returns to its start is closed,
    // and one that is closed returns to its start, so that chaining leaves
    // it by itself.
    void Flush() {
        const bool returns = m_points.size() > 2 && m_points.front() == m_points.back();
        const bool closed = m_closeAll || returns;
        if (closed && !returns && !m_points.empty())
            Append(QPointF(m_points.front().x, m_points.front().y), PathPointType::Line);
        if (!m_broken && m_points.size() >= 2 && HasExtent()) Keep(closed);
        m_points.clear();
        m_types.clear();
        m_broken = false;
    }

    bool HasExtent() const {
        for (const PointF& p : m_points) {
            if (p != m_points.front()) return true;
        }
        return false;
    }

    void Keep(bool closed) {
        if (m_out.overflowed) return;
        const qint64 count = static_cast<qint64>(m_points.size());
        if (m_out.points + count > m_maxPoints) {
            m_out.overflowed = true;
            return;
        }
        if (closed) m_types.back() |= PathPointType::CloseSubpath;
        m_out.points += count;
        m_out.paths.emplace_back(std::move(m_points), std::move(m_types));
        m_points = {};
        m_types = {};
    }

    RecordedFigures& m_out;
    qint64 m_maxPoints;
    bool m_closeAll;
    std::vector<PointF> m_points;
    std::vector<uint8_t> m_types;
    bool m_broken = false;
};

}  // namespace

class RecordingPaintEngine final : public QPaintEngine {
public:
    RecordingPaintEngine(QSize size, qint64 maxPoints)
        : QPaintEngine(QPaintEngine::AllFeatures),
          m_page(QPointF(0, 0), size),
          m_maxPoints(maxPoints) {}

    RecordedFigures Take() { return std::exchange(m_figures, {}); }

    bool begin(QPaintDevice*) override {
        m_clipDirty = true;
        return true;
    }
    bool end() override { return true; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            m_clipDirty = true;
    }

    void drawPath(const QPainterPath& path) override { Record(path, true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 1) return;
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        Record(path, mode != PolylineMode);
    }

    // Dots give no outline to colour within.
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++m_figures.images; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++m_figures.images;
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {
        ++m_figures.images;
    }

    Type type() const override { return QPaintEngine::User; }

private:
    void Record(const QPainterPath& path, bool fillable) {
        if (m_figures.overflowed || state->opacity() <= 0) return;
        const QPen& pen = state->pen();
        const bool stroked = pen.style() != Qt::NoPen && Visible(pen.brush());
        const bool filled = fillable && !stroked && Visible(state->brush());
        const QTransform& transform = state->transform();
        if (stroked) {
            if (pen.isCosmetic()) {
                AddFigures(transform.map(path), false, pen.brush());
            } else {
                QPainterPathStroker stroker(pen);
                stroker.setDashPattern(Qt::SolidLine);
                AddFigures(transform.map(stroker.createStroke(path).simplified()), true,
                           pen.brush());
            }
        } else if (filled) {
            AddFigures(transform.map(path), true, state->brush());
        }
    }

    void AddFigures(QPainterPath devicePath, bool outline, const QBrush& paint) {
        const QRectF bounds = devicePath.controlPointRect();
        if (IsPage(bounds, paint)) return;
        if (painter()->hasClipping()) {
            const QPainterPath& clip = DeviceClip();
            const QRectF clipBounds = clip.boundingRect();
            if (!clipBounds.intersects(bounds)) return;
            // A page or view box clip seldom cuts anything; only a clip that
            // does is worth working out.
            if (outline && !(m_clipIsRect && clipBounds.contains(bounds))) {
                devicePath = devicePath.intersected(clip);
            }
        }
        FigureBuilder(m_figures, m_maxPoints, outline).Add(devicePath);
    }

    // Paper-coloured paint over the whole page before any drawing.
    bool IsPage(const QRectF& bounds, const QBrush& paint) const {
        if (!m_figures.paths.empty() || !PaperColoured(paint)) return false;
        const QRectF covered = bounds.intersected(m_page);
        return covered.width() * covered.height() >= 0.98 * m_page.width() * m_page.height();
    }

    const QPainterPath& DeviceClip() {
        if (m_clipDirty) {
            m_clip = state->transform().map(painter()->clipPath());
            m_clipIsRect = IsRectangle(m_clip);
            m_clipDirty = false;
        }
        return m_clip;
    }

    // Four corners joined by lines: an upright rectangle.
    static bool IsRectangle(const QPainterPath& path) {
        if (path.elementCount() < 4 || path.elementCount() > 5) return false;
        const QRectF box = path.boundingRect();
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            if (e.isCurveTo()) return false;
            if (e.x != box.left() && e.x != box.right()) return false;
            if (e.y != box.top() && e.y != box.bottom()) return false;
        }
        return true;
    }

    QRectF m_page;
    qint64 m_maxPoints;
    RecordedFigures m_figures;
    QPainterPath m_clip;
    bool m_clipIsRect = false;
    bool m_clipDirty = true;
};

RecordingPaintDevice::RecordingPaintDevice(QSize size, qint64 maxPoints)
    : m_size(size.expandedTo(QSize(1, 1))),
      m_engine(std::make_unique<RecordingPaintEngine>(m_size, maxPoints)) {}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const { return m_engine.get(); }

RecordedFigures RecordingPaintDevice::TakeFigures() { return m_engine->Take(); }

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / 72);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / 72);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace velora
