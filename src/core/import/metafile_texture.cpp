#include "core/import/metafile_texture.h"

#include "core/common/errors.h"
#include "core/import/metafile_bytes.h"
#include "core/import/metafile_reader.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <unordered_map>
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

QColor FromColorRef(uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

// A pen or brush of the metafile's object table.
struct GdiObject {
    bool isPen = false;
    QPen pen;
    QBrush brush;
};

GdiObject MakePen(uint32_t style, int32_t width, QColor color, bool nullBrush) {
    GdiObject object{true, QPen(color, std::max(width, 0)), {}};
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

// One figure to draw, with the pen and brush current when it was recorded.
struct Figure {
    QPainterPath path;
    QPen pen;
    QBrush brush;
};

QPolygonF ToPolygon(std::span<const QPoint> points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const QPoint& p : points) polygon.append(QPointF(p));
    return polygon;
}

// Walks the records once, following the object table, and keeps every
// drawing record as a figure.
class FigureCollector {
public:
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
                AddFigure(record);
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
            m_pen = object->pen;
        else
            m_brush = object->brush;
    }

    void AddFigure(const EmfRecord& record) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        QBrush brush = m_brush;
        switch (record.type) {
            case emr::kRectangle:
            case emr::kEllipse: {
                const auto box = DecodeEmfBox(record);
                if (!box) return;
                const QRectF rect =
                    QRectF(QPointF(box->left, box->top), QPointF(box->right, box->bottom))
                        .normalized();
                if (record.type == emr::kRectangle)
                    path.addRect(rect);
                else
                    path.addEllipse(rect);
                break;
            }
            case emr::kPolygon:
            case emr::kPolygon16:
            case emr::kPolyline:
            case emr::kPolyline16: {
                const auto points = DecodeEmfPoly(record);
                if (!points || points->empty()) return;
                const bool closed = record.type == emr::kPolygon || record.type == emr::kPolygon16;
                path.addPolygon(ToPolygon(*points));
                if (closed)
                    path.closeSubpath();
                else
                    brush = Qt::NoBrush;
                break;
            }
            case emr::kPolyPolygon:
            case emr::kPolyPolygon16: {
                const auto poly = DecodeEmfPolyPolygon(record);
                if (!poly) return;
                std::span<const QPoint> remaining(poly->points);
                for (uint32_t count : poly->counts) {
                    if (count == 0) continue;
                    path.addPolygon(ToPolygon(remaining.first(count)));
                    path.closeSubpath();
                    remaining = remaining.subspan(count);
                }
                break;
            }
            default:
                return;
        }
        if (!path.isEmpty()) m_figures.push_back({path, m_pen, brush});
    }

    std::unordered_map<uint32_t, GdiObject> m_objects;
    QPen m_pen{Qt::black, 0};
    QBrush m_brush{Qt::white};
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

// Maps the area covered by the figures onto the whole image.
QTransform FigureTransform(const std::vector<Figure>& figures, QSize imageSize) {
    QRectF extent;
    for (const Figure& figure : figures) extent |= figure.path.boundingRect();
    const double sx = extent.width() > 0 ? imageSize.width() / extent.width() : 1.0;
    const double sy = extent.height() > 0 ? imageSize.height() / extent.height() : 1.0;
    QTransform transform;
    transform.scale(sx, sy);
    transform.translate(-extent.left(), -extent.top());
    return transform;
}

// The pen in image pixels. A pen wider than the image covers it anyway and
// is narrowed to twice the image's longest side, so the stroker never works
// on giant outlines.
QPen DevicePen(QPen pen, const QTransform& transform, QSize imageSize) {
    if (pen.style() == Qt::NoPen || pen.widthF() == 0) return pen;
    const double scale = std::max(std::abs(transform.m11()), std::abs(transform.m22()));
    const double limit = 2.0 * std::max(imageSize.width(), imageSize.height());
    pen.setWidthF(std::min(pen.widthF() * scale, limit));
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
        if (size.isEmpty()) return fail(QStringLiteral("the metafile gives no picture size"));
        const std::vector<Figure> figures = FigureCollector().Collect(metafile);

        QImage image(CappedSize(size), QImage::Format_RGB32);
        if (image.isNull()) return fail(QStringLiteral("no memory for the texture image"));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QTransform transform = FigureTransform(figures, image.size());
        // Figures are mapped to image pixels before drawing: stroking in
        // logical units that the transform then shrinks is very slow.
        for (const Figure& figure : figures) {
            painter.setPen(DevicePen(figure.pen, transform, image.size()));
            painter.setBrush(figure.brush);
            painter.drawPath(transform.map(figure.path));
        }
        return image;
    } catch (const MetafileError& error) {
        return fail(error.Message());
    }
}

}  // namespace velora
