// SPDX-License-Identifier: GPL-3.0-or-later
// Clicks inside closed outlines drawn into the mask at many sizes and checks
// that every fill stays inside its outline.
#include "core/geometry/flood_fill.h"
#include "core/import/dxf_import.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"
#include "core/model/region_capture.h"
#include "core/model/region_item.h"
#include "dxf_test_text.h"
#include "scripted_user.h"
#include "test_seed.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>

namespace velora {
namespace {

// A closed outline, a point inside it to click and how far that point lies
// from the outline at least.
struct ClosedShape {
    std::string kind;
    Path path;
    QPointF inside;
    double clearance = 0;
    QRectF Bounds() const {
        const RectF box = path.WorldBounds();
        return QRectF(box.x, box.y, box.width, box.height);
    }
};

class ShapeMaker {
public:
    explicit ShapeMaker(uint32_t seed) : m_random(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    double Real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }
    // Spread evenly over the orders of magnitude, so tiny and large both come.
    double Scale(double low, double high) { return std::exp(Real(std::log(low), std::log(high))); }
    std::mt19937& Random() { return m_random; }

    // A random closed shape inside the cell.
    ClosedShape In(const QRectF& cell) {
        const double room = std::min(cell.width(), cell.height()) / 2;
        const double radius = Scale(2.0, room);
        const QPointF centre(Real(cell.left() + radius, cell.right() - radius),
                             Real(cell.top() + radius, cell.bottom() - radius));
        switch (Int(0, 4)) {
            case 0:
                return Ellipse(centre, radius, radius, "circle");
            case 1:
                return Ellipse(centre, radius, radius * Real(0.2, 1.0), "ellipse");
            case 2:
                return Polygon(centre, radius, true);
            case 3:
                return Polygon(centre, radius, false);
            default:
                return Oval(centre, radius);
        }
    }

private:
    static PointF At(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

    ClosedShape Ellipse(QPointF centre, double rx, double ry, const char* kind) {
        ClosedShape shape{kind, {}, centre, std::min(rx, ry)};
        shape.path.AddEllipse(static_cast<float>(centre.x() - rx),
                              static_cast<float>(centre.y() - ry), static_cast<float>(2 * rx),
                              static_cast<float>(2 * ry));
        return shape;
    }

    // Three to six corners around the centre, each on its own ray, no two
    // rays half a turn or more apart, so the centre lies inside. Closed as a polygon, or chained
    // from lines whose last end is the first start, as chained drawing pieces are.
    ClosedShape Polygon(QPointF centre, double radius, bool closedFigure) {
        const int corners = Int(3, 6);
        const double turn = Real(0, 2 * std::numbers::pi);
        std::vector<PointF> points;
        for (int i = 0; i < corners; ++i) {
            const double angle = turn + (i + Real(-0.2, 0.2)) * 2 * std::numbers::pi / corners;
            const double reach = radius * Real(0.6, 1.0);
            points.push_back(At(centre + QPointF(std::cos(angle), std::sin(angle)) * reach));
        }
        ClosedShape shape{closedFigure ? "polygon" : "chained lines", {}, centre, radius};
        for (size_t i = 0; i < points.size(); ++i) {
            shape.clearance =
                std::min(shape.clearance,
                         DistanceToLine(centre, points[i], points[(i + 1) % points.size()]));
        }
        if (closedFigure) {
            shape.path.AddPolygon(points);
        } else {
            points.push_back(points.front());
            shape.path.AddLines(points);
        }
        return shape;
    }

    // Two half circles joined by straight sides, as a polyline with bulges.
    ClosedShape Oval(QPointF centre, double radius) {
        const double r = radius * Real(0.2, 0.5);
        const double half = radius - r;
        ClosedShape shape{"oval", {}, centre, r};
        const auto box = [&](double cx) { return QRectF(cx - r, centre.y() - r, 2 * r, 2 * r); };
        const QRectF left = box(centre.x() - half);
        const QRectF right = box(centre.x() + half);
        shape.path.AddArc(float(left.x()), float(left.y()), float(2 * r), float(2 * r), 90, 180);
        shape.path.AddArc(float(right.x()), float(right.y()), float(2 * r), float(2 * r), 270, 180);
        shape.path.CloseFigure();
        return shape;
    }

    static double DistanceToLine(QPointF p, PointF a, PointF b) {
        const QPointF ab(b.x - a.x, b.y - a.y);
        const QPointF ap = p - a.ToQPointF();
        return std::abs(ab.x() * ap.y() - ab.y() * ap.x()) / std::hypot(ab.x(), ab.y());
    }

    std::mt19937 m_random;
};

// A drawing size: ordinary, a long strip (coordinates up to 30,000) or tiny.
QSize DrawingSize(ShapeMaker& maker) {
    switch (maker.Int(0, 5)) {
        case 0:
            return {maker.Int(30020, 30020), maker.Int(24, 90)};
        case 1:
            return {maker.Int(24, 90), 30020};
        case 2:
            return {maker.Int(21, 40), maker.Int(21, 40)};
        default:
            return {maker.Int(40, 1200), maker.Int(40, 1200)};
    }
}

struct Tally {
    int shapes = 0;
    int clicked = 0;
};

// Fills one drawing of closed shapes, one per cell, and clicks inside each.
void CheckOneDrawing(ShapeMaker& maker, Tally& tally) {
    const QSize size = DrawingSize(maker);
    // At most about a hundred shapes a drawing, so that many sizes are tried.
    const double fewest = std::sqrt(double(size.width()) * size.height() / 100);
    const double largest = std::min(size.width(), size.height()) - 2;
    const double cellSide = maker.Scale(std::min(std::max(10.0, fewest), largest), largest);
    CDrawingModel model;
    std::vector<ClosedShape> shapes;
    for (double top = 1; top + cellSide <= size.height() - 1; top += cellSide) {
        for (double left = 1; left + cellSide <= size.width() - 1; left += cellSide) {
            // A pixel of space on every side keeps the shapes apart.
            shapes.push_back(maker.In(QRectF(left + 1.5, top + 1.5, cellSide - 3, cellSide - 3)));
            auto curve = std::make_unique<CCurve>();
            curve->GetPath() = shapes.back().path;
            model.AddCurve(std::move(curve));
        }
    }
    // Small bands now and then, so that band edges cut through the outlines.
    const qsizetype bandPixels =
        maker.Int(0, 3) == 0 ? size.width() * maker.Int(1, 40) : OutlineMaskCanvas::kMaxBandPixels;
    test::ScriptedUser user;
    auto canvas = OutlineMaskCanvas::Allocate(size, bandPixels);
    ASSERT_TRUE(canvas);
    const MonoBitmap mask = std::move(*canvas).Draw(model, user);

    for (const ClosedShape& shape : shapes) {
        ++tally.shapes;
        const QPoint click(static_cast<int>(std::floor(shape.inside.x())),
                           static_cast<int>(std::floor(shape.inside.y())));
        const QRectF bounds = shape.Bounds();
        const std::string where =
            shape.kind + " in " + std::to_string(bounds.x()) + "," + std::to_string(bounds.y()) +
            " " + std::to_string(bounds.width()) + "x" + std::to_string(bounds.height()) +
            ", drawing " + std::to_string(size.width()) + "x" + std::to_string(size.height());
        // The outline's pixels lie within about a pixel of the curve, so a
        // pixel three pixels inside is light and enclosed. Smaller shapes may
        // hold no pixel that is.
        if (shape.clearance < 3) continue;
        ASSERT_TRUE(mask.Pixel(click.x(), click.y())) << where;
        ++tally.clicked;
        const QRect room = bounds.toAlignedRect().adjusted(-2, -2, 2, 2);
        for (const PixelRun& run : FloodFillRuns(mask, click.x(), click.y())) {
            ASSERT_TRUE(room.contains(run.x0, run.y) && room.contains(run.x1, run.y))
                << "the fill from " << click.x() << "," << click.y() << " leaks out of the "
                << where << " at row " << run.y << " (" << run.x0 << " to " << run.x1 << ")";
        }
    }
}

TEST(ClosedOutlineTest, FillsInsideRandomClosedShapesStayInside) {
    const uint32_t seed = test::TestSeed();
    SCOPED_TRACE("VELORA_TEST_SEED=" + std::to_string(seed));
    ShapeMaker maker(seed);
    Tally tally;
    while (tally.shapes < 3000) {
        CheckOneDrawing(maker, tally);
        if (HasFatalFailure()) return;
    }
    // Most shapes are large enough to click into.
    EXPECT_GT(tally.clicked, tally.shapes / 3);
}

// Cells of 250 units, 3 apart, 16 by 12, every third one an inscribed circle
// and the others squares of four lines, made 3980 x 2980 pixels large.
TEST(ClosedOutlineTest, EveryCircleOfAGridCapturesItselfAlone) {
    constexpr double kCell = 250;
    constexpr double kPitch = kCell + 3;
    std::string entities;
    for (int index = 0; index < 16 * 12; ++index) {
        const double x = (index % 16) * kPitch;
        const double y = (index / 16) * kPitch;
        if (index % 3 == 0) {
            entities += dxftest::CircleEntity(x + kCell / 2, y + kCell / 2, kCell / 2);
            continue;
        }
        entities += dxftest::LineEntity(x, y, x + kCell, y) +
                    dxftest::LineEntity(x + kCell, y, x + kCell, y + kCell) +
                    dxftest::LineEntity(x + kCell, y + kCell, x, y + kCell) +
                    dxftest::LineEntity(x, y + kCell, x, y);
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("grid.dxf"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        const std::string text = dxftest::InEntities(entities);
        out.write(text.data(), static_cast<qint64>(text.size()));
    }
    test::ScriptedUser user;
    user.drawingSizes = {QSize(3980, 2980)};
    CDrawingModel model;
    model.SetUserInterface(&user);
    ASSERT_EQ(LoadDxfFile(model, file), 1);

    // The circles are the curves of many points; a square has at most eight.
    std::set<std::pair<int, int>> captured;
    int circles = 0;
    for (const auto& curve : model.Curves()) {
        if (curve->GetPath().PointCount() <= 8) continue;
        ++circles;
        const Rect box = curve->GetPath().WorldBoundsI();
        const QPoint centre(box.x + box.width / 2, box.y + box.height / 2);
        const std::unique_ptr<CRegionItem> region = CaptureRegionAt(model.GetMaskBitmap(), centre);
        const QRect bounds = region->GetRegion().boundingRect();
        EXPECT_LE(bounds.width(), box.width + 3) << centre.x() << "," << centre.y();
        EXPECT_LE(bounds.height(), box.height + 3) << centre.x() << "," << centre.y();
        captured.insert({bounds.x(), bounds.y()});
    }
    EXPECT_EQ(circles, 64);
    EXPECT_EQ(captured.size(), 64u);
}

}  // namespace
}  // namespace velora
