// SPDX-License-Identifier: GPL-3.0-or-later
// Gap closing on drawings of random closed shapes with gaps punched at random
// places, and on a few hand-made cases.
#include "core/import/gap_closing.h"
#include "core/geometry/flood_fill.h"
#include "core/import/gap_closing_fill.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"
#include "scripted_user.h"
#include "test_seed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace velora {
namespace {

using Polyline = std::vector<QPointF>;

Path OpenPath(const Polyline& points) {
    std::vector<PointF> flat;
    for (const QPointF& p : points) flat.push_back({float(p.x()), float(p.y())});
    Path path;
    path.AddLines(flat);
    return path;
}

std::vector<std::unique_ptr<CCurve>> CurvesOf(const std::vector<Polyline>& outlines) {
    std::vector<std::unique_ptr<CCurve>> curves;
    for (const Polyline& outline : outlines)
        curves.push_back(std::make_unique<CCurve>(OpenPath(outline), QString()));
    return curves;
}

MonoBitmap MaskOf(const std::vector<Polyline>& outlines, QSize size) {
    CDrawingModel model;
    for (auto& curve : CurvesOf(outlines)) model.AddCurve(std::move(curve));
    test::ScriptedUser user;
    return std::move(*OutlineMaskCanvas::Allocate(size)).Draw(model, user);
}

// Whether the join passes through an outline segment, touching aside.
bool Crosses(const GapJoin& join, QPointF a, QPointF b) {
    const auto side = [](QPointF p, QPointF q, QPointF r) {
        return (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
    };
    const QPointF along = (join.to - join.from) /
                          std::hypot(join.to.x() - join.from.x(), join.to.y() - join.from.y());
    // Shortened by a hair, so that arriving on an outline is no crossing.
    const QPointF p = join.from + along * 0.05;
    const QPointF q = join.to - along * 0.05;
    return side(p, q, a) * side(p, q, b) < 0 && side(a, b, p) * side(a, b, q) < 0;
}

// A circle or an ellipse with a gap of the given length cut out of its
// outline where the angle says; the outline starts at the gap's far end.
struct GappedShape {
    QPointF centre;
    double rx;
    double ry;
    double at;
    double gap;
    Polyline outline;
};

GappedShape Gapped(QPointF centre, double rx, double ry, double at, double gap) {
    GappedShape shape{centre, rx, ry, at, gap, {}};
    const auto point = [&](double angle) {
        return centre + QPointF(rx * std::cos(angle), ry * std::sin(angle));
    };
    double skip = 0;
    while (std::hypot(point(at + skip).x() - point(at).x(), point(at + skip).y() - point(at).y()) <
           gap)
        skip += 1e-4;
    const int steps = std::max(24, static_cast<int>(std::numbers::pi * (rx + ry)));
    for (int i = 0; i <= steps; ++i)
        shape.outline.push_back(point(at + skip + (2 * std::numbers::pi - skip) * i / steps));
    return shape;
}

// Curves with gaps; closed outlines known only as mask pixels, with gaps
// punched into the mask; closed curves whose gaps were erased from the mask
// afterwards, as with the correction pen.
enum class Outlines { Curves, MaskOnly, PenErased };

class RandomGaps : public ::testing::TestWithParam<Outlines> {};

// Shapes in cells so far apart that no join may leave its own cell; every
// click inside a shape must fill that shape and stay inside it, once every
// gap is closed and also when the click retries by itself.
TEST_P(RandomGaps, EveryClickInsideCapturesItsShapeAlone) {
    const uint32_t seed = test::TestSeed();
    SCOPED_TRACE("VELORA_TEST_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const auto real = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const int distance = std::uniform_int_distribution<int>(1, 8)(random);
    const double cell = 70;
    const QSize size(560, 420);
    std::vector<GappedShape> shapes;
    for (double top = 0; top + cell <= size.height(); top += cell) {
        for (double left = 0; left + cell <= size.width(); left += cell) {
            // At least distance + 4 pixels of space between two cells' shapes.
            const double rx = real(10, cell / 2 - distance / 2.0 - 4);
            const double ry = rx * real(0.5, 1.0);
            const QPointF centre(left + cell / 2 + real(-2, 2), top + cell / 2 + real(-2, 2));
            shapes.push_back(
                Gapped(centre, rx, ry, real(0, 2 * std::numbers::pi), real(1, distance)));
        }
    }
    // Outlines known only as mask pixels get their gap as the mask shows
    // it: a square of light pixels as wide as the gap punched over the
    // closed outline. The pen erases a round spot as wide as the gap.
    const Outlines kind = GetParam();
    std::vector<Polyline> outlines;
    for (const GappedShape& shape : shapes) {
        outlines.push_back(kind == Outlines::Curves
                               ? shape.outline
                               : Gapped(shape.centre, shape.rx, shape.ry, shape.at, 0).outline);
    }
    MonoBitmap mask = MaskOf(outlines, size);
    std::vector<std::unique_ptr<CCurve>> curves;
    if (kind != Outlines::MaskOnly) curves = CurvesOf(outlines);
    for (const GappedShape& shape :
         kind == Outlines::Curves ? std::vector<GappedShape>() : shapes) {
        const int side = std::max(1, static_cast<int>(std::round(shape.gap)));
        const QPointF at = shape.outline.front();
        const QPoint corner = at.toPoint() - QPoint(side / 2, side / 2);
        for (int y = -side; y < 2 * side; ++y) {
            for (int x = -side; x < 2 * side; ++x) {
                const QPoint p = corner + QPoint(x, y);
                const QPointF off = QPointF(p) + QPointF(0.5, 0.5) - at;
                const bool punched = kind == Outlines::MaskOnly
                                         ? x >= 0 && y >= 0 && x < side && y < side
                                         : std::hypot(off.x(), off.y()) <= shape.gap / 2;
                if (punched) mask.SetPixel(p.x(), p.y(), true);
            }
        }
    }

    const std::vector<GapJoin> joins = FindGapJoins(mask, curves, distance);
    const auto cellOf = [&](QPointF p) {
        return QPoint(static_cast<int>(p.x() / cell), static_cast<int>(p.y() / cell));
    };
    for (const GapJoin& join : joins) {
        EXPECT_EQ(cellOf(join.from), cellOf(join.to)) << join.from.x() << "," << join.from.y();
        // Curves are joined by the distance of their points, outlines of the
        // mask by the light pixels between theirs.
        const QPointF apart = join.to - join.from;
        EXPECT_LE(curves.empty() ? std::max(std::abs(apart.x()), std::abs(apart.y()))
                                 : std::hypot(apart.x(), apart.y()),
                  distance + 1.0);
        // Outlines known only as pixels are crossed by no pixel of a join;
        // curves by no join itself.
        for (const Polyline& outline :
             kind == Outlines::Curves ? outlines : std::vector<Polyline>()) {
            for (size_t i = 0; i + 1 < outline.size(); ++i) {
                EXPECT_FALSE(Crosses(join, outline[i], outline[i + 1]))
                    << join.from.x() << "," << join.from.y();
            }
        }
    }
    MonoBitmap closed = mask;
    DrawJoins(closed, joins);

    for (const GappedShape& shape : shapes) {
        const QPoint click = shape.centre.toPoint();
        const std::vector<PixelRun> flooded = FloodFillRuns(mask, click.x(), click.y());
        const std::optional<GapClosedFill> retried =
            FillReachesBorder(flooded, mask) ? FillClosingGaps(mask, curves, click, distance)
                                             : GapClosedFill{flooded, {}};
        ASSERT_TRUE(retried) << "click at " << click.x() << "," << click.y();
        const std::vector<PixelRun> afterClosing = FloodFillRuns(closed, click.x(), click.y());
        for (const auto& runs : {retried->runs, afterClosing}) {
            MonoBitmap filled(size.width(), size.height());
            for (const PixelRun& run : runs) {
                for (int x = run.x0; x <= run.x1; ++x) {
                    // Inside the ellipse grown by the outline's pixel.
                    const double u = (x + 0.5 - shape.centre.x()) / (shape.rx + 1.5);
                    const double v = (run.y + 0.5 - shape.centre.y()) / (shape.ry + 1.5);
                    ASSERT_LE(u * u + v * v, 1.0)
                        << "fill leaves the shape at " << x << "," << run.y << " from " << click.x()
                        << "," << click.y();
                    filled.SetPixel(x, run.y, true);
                }
            }
            // Every pixel well inside is filled, but where a join may cut
            // across the tip of a narrow shape.
            for (int k = 0; k < 32; ++k) {
                const double angle = 2 * std::numbers::pi * k / 32;
                const QPointF inside = shape.centre + QPointF((shape.rx - 3) * std::cos(angle),
                                                              (shape.ry - 3) * std::sin(angle));
                const QPointF fromGap = inside - shape.outline.front();
                if (std::hypot(fromGap.x(), fromGap.y()) < 2 * distance + 4) continue;
                const QPoint p(static_cast<int>(std::floor(inside.x())),
                               static_cast<int>(std::floor(inside.y())));
                EXPECT_TRUE(filled.Pixel(p.x(), p.y()) || p == click)
                    << p.x() << "," << p.y() << " not filled from " << click.x() << ","
                    << click.y();
            }
        }
    }
}

std::string KindName(const ::testing::TestParamInfo<Outlines>& info) {
    const char* names[] = {"Curves", "MaskOnly", "PenErased"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(GapClosing, RandomGaps,
                         ::testing::Values(Outlines::Curves, Outlines::MaskOnly,
                                           Outlines::PenErased),
                         KindName);

// Hand-made outlines in a 100 x 60 drawing and the joins a distance of 5
// must give, as end -> point.
TEST(GapClosing, JoinsGoToTheNearestOutlinePoint) {
    struct Case {
        const char* what;
        std::vector<Polyline> outlines;
        std::vector<std::pair<QPointF, QPointF>> joins;  // end -> point
    };
    const Polyline square{{20, 10}, {60, 10}, {60, 50}, {20, 50}, {20, 10}};
    const std::vector<Case> cases{
        {"two ends facing each other make one join",
         {{{10, 30}, {40, 30}}, {{44, 30}, {80, 30}}},
         {{{40, 30}, {44, 30}}}},
        {"an end near a line joins its nearest point",
         {square, {{40, 30}, {40, 46.5}}},
         {{{40, 46.5}, {40, 50}}}},
        {"ends nearer an outline than to each other join the outline",
         {square, {{30, 30}, {30, 48}}, {{34, 48}, {40, 36}}},
         {{{30, 48}, {30, 50}}, {{34, 48}, {34, 50}}}},
        {"a gap wider than the distance stays open",
         {{{10, 30}, {40, 30}}, {{46.5, 30}, {80, 30}}},
         {}},
        {"an end is not joined to its own tail", {{{10, 30}, {40, 30}, {40, 33}}}, {}},
        {"a hook is joined across to where its outline comes back",
         {{{10, 30}, {40, 30}, {40, 40}, {20, 40}, {20, 34}}},
         {{{20, 34}, {20, 30}}}},
        {"a join does not cross an outline in its way",
         {{{10, 30}, {40, 30}}, {{43, 20}, {43, 40}}, {{44, 30}, {80, 30}}},
         {{{40, 30}, {43, 30}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MonoBitmap mask = MaskOf(c.outlines, QSize(100, 60));
        const std::vector<GapJoin> joins = FindGapJoins(mask, CurvesOf(c.outlines), 5);
        ASSERT_EQ(joins.size(), c.joins.size());
        for (size_t i = 0; i < joins.size(); ++i) {
            EXPECT_NEAR(joins[i].from.x(), c.joins[i].first.x(), 0.01);
            EXPECT_NEAR(joins[i].from.y(), c.joins[i].first.y(), 0.01);
            EXPECT_NEAR(joins[i].to.x(), c.joins[i].second.x(), 0.01);
            EXPECT_NEAR(joins[i].to.y(), c.joins[i].second.y(), 0.01);
        }
    }
}

// The outline of traced ink: a ring-shaped stroke four pixels wide around a
// hole, cut by a gap of `gap` pixels, as one closed outline round the ink.
Polyline InkRingWithGap(QPointF centre, double gap) {
    const double inner = 20;
    const double outer = 24;
    const double middle = (inner + outer) / 2;
    const double cut = gap / middle + 2 * (outer - inner) / 2 / middle;  // the caps' room too
    const double first = cut / 2;
    const double last = 2 * std::numbers::pi - cut / 2;
    Polyline outline;
    const auto at = [&](double radius, double angle) {
        return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    };
    const auto cap = [&](double angle, double from) {
        const QPointF tip = at(middle, angle);
        const QPointF out(std::cos(angle), std::sin(angle));
        const QPointF along(-out.y(), out.x());
        for (int k = 0; k <= 12; ++k) {
            const double t = from + std::numbers::pi * k / 12;
            outline.push_back(tip + (out * std::cos(t) + along * std::sin(t)) * 2.0);
        }
    };
    for (int k = 0; k <= 120; ++k) outline.push_back(at(outer, first + (last - first) * k / 120));
    cap(last, 0);
    for (int k = 0; k <= 120; ++k) outline.push_back(at(inner, last - (last - first) * k / 120));
    cap(first, std::numbers::pi);
    outline.push_back(outline.front());
    return outline;
}

// Traced line art has only closed outlines: a gap in a stroke shows as the
// two ends of the stroke facing each other, and they are joined; a sharp
// point of a shape is no stroke's end.
TEST(GapClosing, TracedStrokesAreJoinedAcrossTheirGaps) {
    for (const double gap : {3.0, 4.0, 5.0}) {
        SCOPED_TRACE(gap);
        const std::vector<Polyline> outlines{InkRingWithGap({40, 40}, gap)};
        const MonoBitmap mask = MaskOf(outlines, QSize(80, 80));
        const auto curves = CurvesOf(outlines);
        ASSERT_FALSE(EnclosedFillRuns(mask, 40, 40)) << "the hole is open";
        const std::optional<GapClosedFill> fill = FillClosingGaps(mask, curves, {40, 40}, 5);
        ASSERT_TRUE(fill);
        // The hole, and no further than the gap's join across the stroke.
        for (const PixelRun& run : fill->runs) {
            for (const int x : {run.x0, run.x1}) {
                EXPECT_LE(std::hypot(x + 0.5 - 40, run.y + 0.5 - 40), 23);
            }
        }
    }
    // A star whose point comes within three pixels of a line.
    Polyline star;
    for (int k = 0; k <= 10; ++k) {
        const double angle = std::numbers::pi * k / 5 - std::numbers::pi / 2;
        const double radius = k % 2 == 0 ? 30 : 12;
        star.push_back(QPointF(40, 40) +
                       QPointF(radius * std::cos(angle), radius * std::sin(angle)));
    }
    // Two small ellipses whose narrow ends come within four pixels.
    const auto ellipse = [](QPointF centre) {
        Polyline outline;
        for (int k = 0; k <= 48; ++k) {
            const double angle = 2 * std::numbers::pi * k / 48;
            outline.push_back(centre + QPointF(6 * std::cos(angle), 13 * std::sin(angle)));
        }
        return outline;
    };
    for (const std::vector<Polyline>& outlines :
         {std::vector<Polyline>{star, {{10, 7}, {70, 7}}},
          std::vector<Polyline>{ellipse({40, 20}), ellipse({40, 50})}}) {
        EXPECT_TRUE(FindGapJoins(MaskOf(outlines, QSize(80, 80)), CurvesOf(outlines), 5).empty());
    }
}

// A square outline drawn as one curve, or as a stroke's two edges a pixel
// apart, with rows of its left side erased from the mask afterwards, as the
// correction pen erases: gaps up to the distance close, wider ones stay.
TEST(GapClosing, GapsErasedFromCurvesAreClosed) {
    const Polyline outer{{20, 20}, {60, 20}, {60, 60}, {20, 60}, {20, 20}};
    const Polyline inner{{21.5, 21.5}, {58.5, 21.5}, {58.5, 58.5}, {21.5, 58.5}, {21.5, 21.5}};
    struct Case {
        std::vector<Polyline> outlines;
        int rows;
        bool closes;
    };
    const Case cases[] = {{{outer}, 3, true},
                          {{outer}, 5, true},
                          {{outer, inner}, 4, true},
                          {{outer}, 8, false},
                          {{outer, inner}, 8, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outlines.size()) + " edges, " + std::to_string(c.rows));
        MonoBitmap mask = MaskOf(c.outlines, QSize(80, 80));
        for (int y = 38; y < 38 + c.rows; ++y) {
            for (int x = 16; x < 26; ++x) mask.SetPixel(x, y, true);
        }
        ASSERT_FALSE(EnclosedFillRuns(mask, 40, 40)) << "the pen opened the square";
        const std::vector<GapJoin> joins = FindGapJoins(mask, CurvesOf(c.outlines), 5);
        MonoBitmap closed = mask;
        DrawJoins(closed, joins);
        EXPECT_EQ(EnclosedFillRuns(closed, 40, 40).has_value(), c.closes) << joins.size();
        EXPECT_EQ(FillClosingGaps(mask, CurvesOf(c.outlines), {40, 40}, 5).has_value(), c.closes);
    }
}

}  // namespace
}  // namespace velora
