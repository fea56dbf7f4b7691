// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_texture.h"

#include "core/common/errors.h"
#include "core/metafile/metafile_bytes.h"
#include "core/metafile/metafile_reader.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velora {

namespace {

constexpr uint32_t kStockObject = 0x80000000;
constexpr uint32_t kPenStyleNull = 5;
constexpr uint32_t kBrushStyleSolid = 0;
constexpr uint32_t kBrushStyleNull = 1;
constexpr uint32_t kBrushStyleHatched = 2;
// Pattern brushes are drawn as a plain mid grey.
const QColor kPatternColor(0x80, 0x80, 0x80);

// Mapping modes of EMR_SETMAPMODE; 2 is low metric, 0.1 mm.
constexpr uint32_t kMapText = 1;
constexpr uint32_t kMapHighMetric = 3;
constexpr uint32_t kMapLowEnglish = 4;
constexpr uint32_t kMapHighEnglish = 5;
constexpr uint32_t kMapTwips = 6;
constexpr uint32_t kMapIsotropic = 7;
constexpr uint32_t kMapAnisotropic = 8;

// Fill modes of EMR_SETPOLYFILLMODE.
constexpr uint32_t kFillAlternate = 1;
constexpr uint32_t kFillWinding = 2;

// How EMR_MODIFYWORLDTRANSFORM combines its transform with the current one.
constexpr uint32_t kWorldIdentity = 1;
constexpr uint32_t kWorldLeftMultiply = 2;
constexpr uint32_t kWorldRightMultiply = 3;
constexpr uint32_t kWorldSet = 4;

// A reference device whose pixels per millimetre lie outside this range is
// taken for damage rather than for a real screen or printer.
constexpr double kMinPixelsPerMm = 0.01;
constexpr double kMaxPixelsPerMm = 10000;
// World transforms with larger factors or offsets are not followed, so that
// repeated multiplications cannot overflow and mapped coordinates stay far
// inside the range of a double.
constexpr double kMaxWorldFactor = 1e10;
// SAVEDC records past this depth are not followed; only a damaged file
// nests deeper, and each saved state costs memory.
constexpr size_t kMaxSavedStates = 4096;

QColor FromColorRef(uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

// A pen or brush of the metafile's object table.
struct GdiObject {
    bool isPen = false;
    QPen pen;
    QBrush brush;
};

// Pens end and join round, as a metafile player's default pens do.
GdiObject MakePen(uint32_t style, int32_t width, QColor color, bool nullBrush) {
    GdiObject object{
        true, QPen(color, std::max(width, 0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), {}};
    if ((style & 0xF) == kPenStyleNull || nullBrush) object.pen = QPen(Qt::NoPen);
    return object;
}

GdiObject MakeBrush(uint32_t style, QColor color) {
    if (style == kBrushStyleNull) return {false, {}, QBrush(Qt::NoBrush)};
    if (style == kBrushStyleSolid || style == kBrushStyleHatched) return {false, {}, QBrush(color)};
    return {false, {}, QBrush(kPatternColor)};
}

// The stock objects WHITE_BRUSH (0) to NULL_PEN (8), DC_BRUSH (18), DC_PEN (19).
std::optional<GdiObject> StockObject(uint32_t number) {
    static const QColor kBrushColors[] = {Qt::white, QColor(0xC0, 0xC0, 0xC0),
                                          QColor(0x80, 0x80, 0x80), QColor(0x40, 0x40, 0x40),
                                          Qt::black};
    if (number <= 4) return MakeBrush(kBrushStyleSolid, kBrushColors[number]);
    if (number == 5) return MakeBrush(kBrushStyleNull, {});
    if (number == 6) return MakePen(0, 0, Qt::white, false);
    if (number == 7) return MakePen(0, 0, Qt::black, false);
    if (number == 8) return MakePen(kPenStyleNull, 0, {}, false);
    if (number == 18) return MakeBrush(kBrushStyleSolid, Qt::white);
    if (number == 19) return MakePen(0, 0, Qt::black, false);
    return std::nullopt;
}

// How much wider than recorded a transform makes a pen: the square root of
// its area scale, which also holds for rotations and skews.
double WidthScale(const QTransform& transform) {
    return std::sqrt(std::abs(transform.determinant()));
}

// The reference device that the picture was recorded for.
struct ReferenceDevice {
    QSizeF pixels;
    QSizeF millimetres;
};

// A 96 dpi screen stands in for a reference device the header does not give.
const ReferenceDevice kStandInDevice{QSizeF(96, 96), QSizeF(25.4, 25.4)};

// The header's reference device, or nullopt when its sizes are not positive
// or make an implausible resolution.
std::optional<ReferenceDevice> HeaderDevice(const EmfDocument& metafile) {
    const QSize pixels = metafile.DevicePixels();
    const QSize millimetres = metafile.DeviceMillimetres();
    if (pixels.width() <= 0 || pixels.height() <= 0 || millimetres.width() <= 0 ||
        millimetres.height() <= 0)
        return std::nullopt;
    const auto plausible = [](double pixelsPerMm) {
        return pixelsPerMm >= kMinPixelsPerMm && pixelsPerMm <= kMaxPixelsPerMm;
    };
    if (!plausible(double(pixels.width()) / millimetres.width()) ||
        !plausible(double(pixels.height()) / millimetres.height()))
        return std::nullopt;
    return ReferenceDevice{QSizeF(pixels), QSizeF(millimetres)};
}

// Logical units per millimetre of the fixed metric and english modes. The
// isotropic mode starts out as the low-metric one.
double UnitsPerMm(uint32_t mode) {
    switch (mode) {
        case kMapHighMetric:
            return 100.0;
        case kMapLowEnglish:
            return 100.0 / 25.4;
        case kMapHighEnglish:
            return 1000.0 / 25.4;
        case kMapTwips:
            return 1440.0 / 25.4;
        default:  // low metric, and isotropic
            return 10.0;
    }
}

// An extent multiplied by the fractions of a scaling record, or nullopt when
// a denominator is zero or a result is not a non-zero 32-bit extent, which
// the player refuses.
std::optional<QSizeF> ScaledExtent(QSizeF extent, const EmfExtentScale& scale) {
    if (scale.xDenom == 0 || scale.yDenom == 0) return std::nullopt;
    const double width = std::trunc(extent.width() * scale.xNum / scale.xDenom);
    const double height = std::trunc(extent.height() * scale.yNum / scale.yDenom);
    const auto fits = [](double value) {
        return value != 0 && std::abs(value) <= std::numeric_limits<int32_t>::max();
    };
    if (!fits(width) || !fits(height)) return std::nullopt;
    return QSizeF(width, height);
}

// A world transform is followed when it can be undone and its factors and
// offsets are finite and within kMaxWorldFactor.
bool IsUsableWorld(const QTransform& world) {
    for (double value :
         {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()})
        if (!std::isfinite(value) || std::abs(value) > kMaxWorldFactor) return false;
    return world.determinant() != 0;
}

QTransform FromXform(const EmfXform& xform) {
    return QTransform(xform.m11, xform.m12, xform.m21, xform.m22, xform.dx, xform.dy);
}

// The way logical units become reference-device pixels: the world transform,
// then the mapping mode with its window and viewport. Window and viewport
// extents are never zero, so the scale between them is always defined.
class Mapping {
public:
    explicit Mapping(const ReferenceDevice& device) : m_device(device) {}

    // Fixed modes take their extents from the reference device; isotropic
    // starts from the low-metric ones and anisotropic keeps the current ones.
    void SetMode(uint32_t mode) {
        if (mode < kMapText || mode > kMapAnisotropic) return;
        m_mode = mode;
        if (mode == kMapText) {
            m_windowExtent = m_viewportExtent = QSizeF(1, 1);
        } else if (mode != kMapAnisotropic) {
            m_windowExtent = m_device.millimetres * UnitsPerMm(mode);
            // Device y grows downwards, logical y upwards.
            m_viewportExtent = QSizeF(m_device.pixels.width(), -m_device.pixels.height());
        }
    }
    void SetWindowOrigin(QPoint origin) { m_windowOrigin = origin; }
    void SetViewportOrigin(QPoint origin) { m_viewportOrigin = origin; }
    void SetWindowExtent(QPoint extent) { SetExtent(m_windowExtent, extent); }
    void SetViewportExtent(QPoint extent) { SetExtent(m_viewportExtent, extent); }
    void ScaleWindowExtent(const EmfExtentScale& scale) { ScaleExtent(m_windowExtent, scale); }
    void ScaleViewportExtent(const EmfExtentScale& scale) { ScaleExtent(m_viewportExtent, scale); }

    void SetWorld(const QTransform& world) {
        if (IsUsableWorld(world)) m_world = world;
    }
    // QTransform products apply the left factor first, so "left multiply"
    // puts the new transform before the current one.
    void ModifyWorld(const QTransform& transform, uint32_t how) {
        switch (how) {
            case kWorldIdentity:
                m_world.reset();
                break;
            case kWorldLeftMultiply:
                SetWorld(transform * m_world);
                break;
            case kWorldRightMultiply:
                SetWorld(m_world * transform);
                break;
            case kWorldSet:
                SetWorld(transform);
                break;
            default:
                break;
        }
    }

    QTransform ToDevice() const {
        double scaleX = m_viewportExtent.width() / m_windowExtent.width();
        double scaleY = m_viewportExtent.height() / m_windowExtent.height();
        if (m_mode == kMapIsotropic) {
            // Both axes take the smaller scale, so the drawing keeps its
            // aspect and fits the viewport.
            const double scale = std::min(std::abs(scaleX), std::abs(scaleY));
            scaleX = std::copysign(scale, scaleX);
            scaleY = std::copysign(scale, scaleY);
        }
        const QTransform page(scaleX, 0, 0, scaleY,
                              m_viewportOrigin.x() - m_windowOrigin.x() * scaleX,
                              m_viewportOrigin.y() - m_windowOrigin.y() * scaleY);
        return m_world * page;
    }

private:
    // Only the isotropic and anisotropic modes let the file choose extents.
    bool ExtentsAreFree() const { return m_mode == kMapIsotropic || m_mode == kMapAnisotropic; }
    void SetExtent(QSizeF& target, QPoint extent) {
        if (ExtentsAreFree() && extent.x() != 0 && extent.y() != 0)
            target = QSizeF(extent.x(), extent.y());
    }
    void ScaleExtent(QSizeF& target, const EmfExtentScale& scale) {
        if (!ExtentsAreFree()) return;
        if (const auto scaled = ScaledExtent(target, scale)) target = *scaled;
    }

    ReferenceDevice m_device;
    uint32_t m_mode = kMapText;
    QPointF m_windowOrigin;
    QPointF m_viewportOrigin;
    QSizeF m_windowExtent{1, 1};
    QSizeF m_viewportExtent{1, 1};
    QTransform m_world;
};

// The state that EMR_SAVEDC keeps and EMR_RESTOREDC brings back.
struct DrawingState {
    explicit DrawingState(const ReferenceDevice& device) : mapping(device) {}
    QPen pen{Qt::black, 0};
    QBrush brush{Qt::white};
    Qt::FillRule fillRule = Qt::OddEvenFill;
    // The current position, in logical units.
    QPointF position;
    Mapping mapping;
};

// What one drawing record adds, in logical units.
struct RecordOutline {
    QPainterPath path;
    // The outline encloses an area for the brush.
    bool filled = false;
    // The outline starts at the current position and moves it to its end.
    bool fromPosition = false;
};

QPolygonF ToPolygon(std::span<const QPoint> points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const QPoint& p : points) polygon.append(QPointF(p));
    return polygon;
}

// Appends lines through the points to path, from its current point.
void AppendLines(QPainterPath& path, std::span<const QPoint> points) {
    for (const QPoint& p : points) path.lineTo(QPointF(p));
}

// Appends cubic curves of three points each to path, from its current
// point; an incomplete last curve is left out.
void AppendCurves(QPainterPath& path, std::span<const QPoint> points) {
    for (size_t i = 0; i + 3 <= points.size(); i += 3)
        path.cubicTo(QPointF(points[i]), QPointF(points[i + 1]), QPointF(points[i + 2]));
}

std::optional<RecordOutline> BoxOutline(const EmfRecord& record) {
    const auto box = DecodeEmfBox(record);
    if (!box) return std::nullopt;
    const QRectF rect =
        QRectF(QPointF(box->left, box->top), QPointF(box->right, box->bottom)).normalized();
    RecordOutline outline{{}, true, false};
    if (record.type == emr::kRectangle)
        outline.path.addRect(rect);
    else
        outline.path.addEllipse(rect);
    return outline;
}

// Polygons, polylines and poly-Beziers; the "to" kinds continue from the
// current position.
std::optional<RecordOutline> PolyOutline(const EmfRecord& record, QPointF position) {
    const auto points = DecodeEmfPoly(record);
    if (!points || points->empty()) return std::nullopt;
    const std::span<const QPoint> all(*points);
    RecordOutline outline;
    switch (record.type) {
        case emr::kPolygon:
        case emr::kPolygon16:
            outline.path.addPolygon(ToPolygon(all));
            outline.path.closeSubpath();
            outline.filled = true;
            break;
        case emr::kPolyline:
        case emr::kPolyline16:
            outline.path.addPolygon(ToPolygon(all));
            break;
        case emr::kPolyBezier:
        case emr::kPolyBezier16:
            outline.path.moveTo(QPointF(all.front()));
            AppendCurves(outline.path, all.subspan(1));
            break;
        case emr::kPolyBezierTo:
        case emr::kPolyBezierTo16:
            outline = {QPainterPath(position), false, true};
            AppendCurves(outline.path, all);
            break;
        default:  // polyline-to
            outline = {QPainterPath(position), false, true};
            AppendLines(outline.path, all);
            break;
    }
    return outline;
}

std::optional<RecordOutline> PolyPolyOutline(const EmfRecord& record) {
    const auto poly = DecodeEmfPolyPolygon(record);
    if (!poly) return std::nullopt;
    const bool closed = record.type == emr::kPolyPolygon || record.type == emr::kPolyPolygon16;
    RecordOutline outline{{}, closed, false};
    std::span<const QPoint> remaining(poly->points);
    for (uint32_t count : poly->counts) {
        if (count == 0) continue;
        outline.path.addPolygon(ToPolygon(remaining.first(count)));
        if (closed) outline.path.closeSubpath();
        remaining = remaining.subspan(count);
    }
    return outline;
}

// The outline of a drawing record, or nullopt for any other record and for
// one whose counts do not fit its size.
std::optional<RecordOutline> OutlineOf(const EmfRecord& record, QPointF position) {
    switch (record.type) {
        case emr::kRectangle:
        case emr::kEllipse:
            return BoxOutline(record);
        case emr::kPolygon:
        case emr::kPolygon16:
        case emr::kPolyline:
        case emr::kPolyline16:
        case emr::kPolyBezier:
        case emr::kPolyBezier16:
        case emr::kPolylineTo:
        case emr::kPolylineTo16:
        case emr::kPolyBezierTo:
        case emr::kPolyBezierTo16:
            return PolyOutline(record, position);
        case emr::kPolyPolygon:
        case emr::kPolyPolygon16:
        case emr::kPolyPolyline:
        case emr::kPolyPolyline16:
            return PolyPolyOutline(record);
        case emr::kLineTo: {
            const auto end = DecodeEmfPoint(record);
            if (!end) return std::nullopt;
            RecordOutline outline{QPainterPath(position), false, true};
            outline.path.lineTo(QPointF(*end));
            return outline;
        }
        default:
            return std::nullopt;
    }
}

// The path between EMR_BEGINPATH and EMR_ENDPATH, in reference-device pixels.
// Drawing records add their outlines to it instead of drawing; a fill or
// stroke record then draws it once.
class PathBracket {
public:
    bool IsRecording() const { return m_recording; }
    void Begin() {
        m_path.clear();
        m_recording = true;
        m_figureOpen = false;
    }
    void End() { m_recording = false; }
    void Abort() {
        m_path.clear();
        m_recording = false;
    }
    // A line or curve from the current position continues the open figure;
    // any other outline is a figure of its own.
    void Add(const QPainterPath& outline, bool fromPosition) {
        if (fromPosition && m_figureOpen)
            m_path.connectPath(outline);
        else
            m_path.addPath(outline);
        m_figureOpen = fromPosition;
    }
    // After a move the next line starts a new figure.
    void EndFigure() { m_figureOpen = false; }
    void CloseFigure() {
        if (!m_recording) return;
        m_path.closeSubpath();
        m_figureOpen = false;
    }
    // The finished path, which drawing it consumes; empty while the bracket
    // is still open.
    QPainterPath Take() {
        if (m_recording) return {};
        return std::exchange(m_path, QPainterPath());
    }

private:
    QPainterPath m_path;
    bool m_recording = false;
    bool m_figureOpen = false;
};

// One figure to draw, in reference-device pixels, with the pen and brush
// current when it was recorded.
struct Figure {
    QPainterPath path;
    // The pen's width is still in logical units: a pen can only be given a
    // width once it is narrowed to fit the image.
    QPen pen;
    double penWidthScale = 1;  // logical units to device pixels
    QBrush brush;
};

// Plays the records once, following the object table, the drawing state and
// path brackets, and keeps every drawn outline as a figure.
class FigureCollector {
public:
    explicit FigureCollector(const ReferenceDevice& device) : m_state(device) {}

    std::vector<Figure> Collect(const EmfDocument& metafile) {
        metafile.ForEachRecord([this](const EmfRecord& record) { Visit(record); });
        return std::move(m_figures);
    }

private:
    void Visit(const EmfRecord& record) {
        const LittleEndianBytes bytes(record.bytes);
        switch (record.type) {
            case emr::kCreatePen:
                if (bytes.Has(0, 28))
                    m_objects[bytes.U32(8)] =
                        MakePen(bytes.U32(12), bytes.I32(16), FromColorRef(bytes.U32(24)), false);
                break;
            case emr::kExtCreatePen:
                if (bytes.Has(0, 44))
                    m_objects[bytes.U32(8)] =
                        MakePen(bytes.U32(28), bytes.I32(32), FromColorRef(bytes.U32(40)),
                                bytes.U32(36) == kBrushStyleNull);
                break;
            case emr::kCreateBrushIndirect:
                if (bytes.Has(0, 24))
                    m_objects[bytes.U32(8)] = MakeBrush(bytes.U32(12), FromColorRef(bytes.U32(16)));
                break;
            case emr::kCreateMonoBrush:
            case emr::kCreateDibPatternBrushPt:
                if (bytes.Has(0, 12)) m_objects[bytes.U32(8)] = MakeBrush(~0u, {});
                break;
            case emr::kSelectObject:
                if (bytes.Has(0, 12)) Select(bytes.U32(8));
                break;
            case emr::kDeleteObject:
                if (bytes.Has(0, 12)) m_objects.erase(bytes.U32(8));
                break;
            default:
                if (!FollowState(record)) FollowDrawing(record);
                break;
        }
    }

    void Select(uint32_t index) {
        std::optional<GdiObject> object;
        if (index & kStockObject) {
            object = StockObject(index & ~kStockObject);
        } else if (const auto found = m_objects.find(index); found != m_objects.end()) {
            object = found->second;
        }
        if (!object) return;
        if (object->isPen)
            m_state.pen = object->pen;
        else
            m_state.brush = object->brush;
    }

    // Mapping, fill mode and saved states; false for any other record.
    bool FollowState(const EmfRecord& record) {
        const LittleEndianBytes bytes(record.bytes);
        Mapping& mapping = m_state.mapping;
        const std::optional<QPoint> point = DecodeEmfPoint(record);
        switch (record.type) {
            case emr::kSetMapMode:
                if (bytes.Has(0, 12)) mapping.SetMode(bytes.U32(8));
                return true;
            case emr::kSetWindowOrgEx:
                if (point) mapping.SetWindowOrigin(*point);
                return true;
            case emr::kSetViewportOrgEx:
                if (point) mapping.SetViewportOrigin(*point);
                return true;
            case emr::kSetWindowExtEx:
                if (point) mapping.SetWindowExtent(*point);
                return true;
            case emr::kSetViewportExtEx:
                if (point) mapping.SetViewportExtent(*point);
                return true;
            case emr::kScaleWindowExtEx:
                if (const auto scale = DecodeEmfExtentScale(record))
                    mapping.ScaleWindowExtent(*scale);
                return true;
            case emr::kScaleViewportExtEx:
                if (const auto scale = DecodeEmfExtentScale(record))
                    mapping.ScaleViewportExtent(*scale);
                return true;
            case emr::kSetWorldTransform:
                if (const auto xform = DecodeEmfXform(record)) mapping.SetWorld(FromXform(*xform));
                return true;
            case emr::kModifyWorldTransform:
                if (const auto xform = DecodeEmfXform(record); xform && bytes.Has(0, 36))
                    mapping.ModifyWorld(FromXform(*xform), bytes.U32(32));
                return true;
            case emr::kSetPolyFillMode:
                if (bytes.Has(0, 12)) SetFillMode(bytes.U32(8));
                return true;
            case emr::kSaveDc:
                if (m_saved.size() < kMaxSavedStates) m_saved.push_back(m_state);
                return true;
            case emr::kRestoreDc:
                if (bytes.Has(0, 12)) Restore(bytes.I32(8));
                return true;
            default:
                return false;
        }
    }

    void SetFillMode(uint32_t mode) {
        if (mode == kFillAlternate) m_state.fillRule = Qt::OddEvenFill;
        if (mode == kFillWinding) m_state.fillRule = Qt::WindingFill;
    }

    // Metafiles restore relative to the newest saved state: -1 is the newest.
    // A restore reaching past the oldest state is refused, as the player does.
    void Restore(int32_t relative) {
        if (relative >= 0) return;
        const uint64_t depth = uint64_t(-int64_t{relative});
        if (depth > m_saved.size()) return;
        const auto restored = m_saved.end() - static_cast<std::ptrdiff_t>(depth);
        m_state = *restored;
        m_saved.erase(restored, m_saved.end());
    }

    // Moves, path brackets and drawing records.
    void FollowDrawing(const EmfRecord& record) {
        switch (record.type) {
            case emr::kMoveToEx:
                if (const auto to = DecodeEmfPoint(record)) {
                    m_state.position = QPointF(*to);
                    m_bracket.EndFigure();
                }
                break;
            case emr::kBeginPath:
                m_bracket.Begin();
                break;
            case emr::kEndPath:
                m_bracket.End();
                break;
            case emr::kAbortPath:
                m_bracket.Abort();
                break;
            case emr::kCloseFigure:
                m_bracket.CloseFigure();
                break;
            case emr::kFillPath:
                AddFigure(m_bracket.Take(), false, true);
                break;
            case emr::kStrokePath:
                AddFigure(m_bracket.Take(), true, false);
                break;
            case emr::kStrokeAndFillPath:
                AddFigure(m_bracket.Take(), true, true);
                break;
            default:
                Draw(record);
                break;
        }
    }

    void Draw(const EmfRecord& record) {
        std::optional<RecordOutline> outline = OutlineOf(record, m_state.position);
        if (!outline) return;
        if (outline->fromPosition) m_state.position = outline->path.currentPosition();
        const QPainterPath devicePath = m_state.mapping.ToDevice().map(outline->path);
        if (m_bracket.IsRecording())
            m_bracket.Add(devicePath, outline->fromPosition);
        else
            AddFigure(devicePath, true, outline->filled);
    }

    void AddFigure(QPainterPath devicePath, bool stroked, bool filled) {
        if (devicePath.isEmpty()) return;
        devicePath.setFillRule(m_state.fillRule);
        m_figures.push_back({std::move(devicePath), stroked ? m_state.pen : QPen(Qt::NoPen),
                             WidthScale(m_state.mapping.ToDevice()),
                             filled ? m_state.brush : QBrush(Qt::NoBrush)});
    }

    std::unordered_map<uint32_t, GdiObject> m_objects;
    DrawingState m_state;
    std::vector<DrawingState> m_saved;
    PathBracket m_bracket;
    std::vector<Figure> m_figures;
};

// The frame at 96 dpi, or the bounds when the frame is empty, in pixels;
// an empty size when neither gives one.
QSize PictureSize(const EmfDocument& metafile) {
    const EmfRect frame = metafile.Frame();
    const double width = std::round((double(frame.right) - frame.left) * 96.0 / 2540.0);
    const double height = std::round((double(frame.bottom) - frame.top) * 96.0 / 2540.0);
    if (width >= 1 && height >= 1) return {int(std::min(width, 1e9)), int(std::min(height, 1e9))};
    const EmfRect bounds = metafile.Bounds();
    const double boundsWidth = double(bounds.right) - bounds.left + 1;
    const double boundsHeight = double(bounds.bottom) - bounds.top + 1;
    if (boundsWidth >= 1 && boundsHeight >= 1)
        return {int(std::min(boundsWidth, 1e9)), int(std::min(boundsHeight, 1e9))};
    return {};
}

QSize CappedSize(QSize size) {
    const int longest = std::max(size.width(), size.height());
    if (longest <= kMaxMetafileTextureSide) return size;
    const double scale = double(kMaxMetafileTextureSide) / longest;
    return {std::max(1, int(std::lround(size.width() * scale))),
            std::max(1, int(std::lround(size.height() * scale)))};
}

// The picture frame in reference-device pixels, or nullopt when the frame is
// empty or the header's reference device is unusable.
std::optional<QRectF> DeviceFrame(const EmfDocument& metafile) {
    const std::optional<ReferenceDevice> device = HeaderDevice(metafile);
    const EmfRect frame = metafile.Frame();
    if (!device || frame.right <= frame.left || frame.bottom <= frame.top) return std::nullopt;
    // The frame is in hundredths of a millimetre.
    const double scaleX = device->pixels.width() / device->millimetres.width() / 100;
    const double scaleY = device->pixels.height() / device->millimetres.height() / 100;
    return QRectF(QPointF(frame.left * scaleX, frame.top * scaleY),
                  QPointF(frame.right * scaleX, frame.bottom * scaleY));
}

// Maps area onto the whole image; along an axis where the area has no size
// the scale stays 1.
QTransform AreaTransform(const QRectF& area, QSize imageSize) {
    const double sx = area.width() > 0 ? imageSize.width() / area.width() : 1.0;
    const double sy = area.height() > 0 ? imageSize.height() / area.height() : 1.0;
    QTransform transform;
    transform.scale(sx, sy);
    transform.translate(-area.left(), -area.top());
    return transform;
}

// The picture frame fills the image. Without a usable frame and reference
// device, the area that the figures cover is stretched over the image.
QTransform ImageTransform(const EmfDocument& metafile, const std::vector<Figure>& figures,
                          QSize imageSize) {
    if (const std::optional<QRectF> frame = DeviceFrame(metafile))
        return AreaTransform(*frame, imageSize);
    QRectF extent;
    for (const Figure& figure : figures) extent |= figure.path.boundingRect();
    return AreaTransform(extent, imageSize);
}

// The figure's pen in image pixels. A cosmetic pen (width 0) stays one
// pixel wide. A pen wider than the image covers it anyway and is narrowed to
// twice the image's longest side, so the stroker never works on giant
// outlines.
QPen ImagePen(const Figure& figure, const QTransform& transform, QSize imageSize) {
    QPen pen = figure.pen;
    if (pen.style() == Qt::NoPen || pen.widthF() == 0) return pen;
    const double width = pen.widthF() * figure.penWidthScale * WidthScale(transform);
    const double limit = 2.0 * std::max(imageSize.width(), imageSize.height());
    pen.setWidthF(std::min(width, limit));
    return pen;
}

}  // namespace

QImage RenderMetafileTexture(QByteArrayView bytes, QString* reason) {
    const auto fail = [reason](const QString& cause) {
        if (reason) *reason = cause;
        return QImage();
    };
    try {
        const EmfDocument metafile = OpenMetafile(bytes);
        const QSize size = PictureSize(metafile);
        if (size.isEmpty())
            return fail(
                QCoreApplication::translate("velora", "the metafile gives no picture size"));
        const std::vector<Figure> figures =
            FigureCollector(HeaderDevice(metafile).value_or(kStandInDevice)).Collect(metafile);

        QImage image(CappedSize(size), QImage::Format_RGB32);
        if (image.isNull())
            return fail(QCoreApplication::translate("velora", "no memory for the texture image"));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QTransform transform = ImageTransform(metafile, figures, image.size());
        // Figures are mapped to image pixels before drawing: stroking in
        // device units that the transform then shrinks is very slow.
        for (const Figure& figure : figures) {
            painter.setPen(ImagePen(figure, transform, image.size()));
            painter.setBrush(figure.brush);
            painter.drawPath(transform.map(figure.path));
        }
        return image;
    } catch (const MetafileError& error) {
        return fail(error.Message());
    }
}

}  // namespace velora
