// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_test_support.h"

#include <array>
#include <cmath>

namespace velora::test {
namespace {

using Types = std::vector<uint8_t>;
using Points = std::vector<PointF>;

struct Ellipse {
    double cx, cy, rx, ry;
    // The point of the ellipse in the direction of a geometric angle (degrees,
    // clockwise with y down) seen from the centre.
    PointF AtDirection(double degrees) const {
        const double a = degrees * M_PI / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        const double r = 1.0 / std::sqrt(c * c / (rx * rx) + s * s / (ry * ry));
        return {static_cast<float>(cx + r * c), static_cast<float>(cy + r * s)};
    }
    // How far a point is off the ellipse, as |(x/rx)^2 + (y/ry)^2 - 1|.
    double Residual(PointF p) const {
        const double u = (p.x - cx) / rx, v = (p.y - cy) / ry;
        return std::fabs(u * u + v * v - 1.0);
    }
    double ParametricDegrees(PointF p) const {
        return std::atan2((p.y - cy) / ry, (p.x - cx) / rx) * 180.0 / M_PI;
    }
};

// Ellipse points built from unit-circle quarter turns, clockwise from the
// rightmost point, independent of the path code.
Points ExpectedEllipse(double x, double y, double w, double h) {
    const double k = QuarterKappa();
    const double unit[13][2] = {{1, 0},   {1, k},   {k, 1},  {0, 1},  {-k, 1}, {-1, k}, {-1, 0},
                                {-1, -k}, {-k, -1}, {0, -1}, {k, -1}, {1, -k}, {1, 0}};
    Points points;
    for (const auto& u : unit) {
        points.push_back({static_cast<float>(x + w / 2 + u[0] * w / 2),
                          static_cast<float>(y + h / 2 + u[1] * h / 2)});
    }
    return points;
}

const Types kEllipseTypes{kStart,  kBezier, kBezier, kBezier, kBezier, kBezier,         kBezier,
                          kBezier, kBezier, kBezier, kBezier, kBezier, kBezier | kClose};

TEST(PathEllipseTest, ThirteenPointsClockwiseFromTheRightmostPoint) {
    Path path;
    EXPECT_TRUE(path.AddEllipse(10, 100, 20, 50.5f));
    EXPECT_EQ(path.Types(), kEllipseTypes);
    EXPECT_TRUE(PointsNear(path.Points(), ExpectedEllipse(10, 100, 20, 50.5), 1e-4));
    // On the axes the points are exact, so the figure closes on its start.
    EXPECT_EQ(path.Points().front(), path.Points().back());
    EXPECT_EQ(path.Points()[3], (PointF{20, 150.5f}));
}

TEST(PathEllipseTest, MatchesThePlatformsPointsForTheSameBox) {
    // Values the platform gives for this ellipse, to two decimals.
    Path path;
    path.AddEllipse(10, 100, 20, 50.5f);
    const Points platform{{30.00f, 125.25f}, {30.00f, 139.20f}, {25.52f, 150.50f},
                          {20.00f, 150.50f}, {14.48f, 150.50f}, {10.00f, 139.20f},
                          {10.00f, 125.25f}, {10.00f, 111.30f}, {14.48f, 100.00f},
                          {20.00f, 100.00f}, {25.52f, 100.00f}, {30.00f, 111.30f},
                          {30.00f, 125.25f}};
    EXPECT_TRUE(PointsNear(path.Points(), platform, 0.006));
}

TEST(PathEllipseTest, IsAFigureOfItsOwnWhateverItsSize) {
    Path path;
    path.AddLine({7, 11}, {13, 17});
    EXPECT_TRUE(path.AddEllipseI(10, 200, -5, -10));
    EXPECT_TRUE(path.AddEllipse(10, 300, 0, 1));
    ASSERT_EQ(path.PointCount(), 2 + 13 + 13);
    EXPECT_EQ(path.Types()[2], kStart);
    EXPECT_EQ(path.Types()[15], kStart);
    // A negative box mirrors the ellipse around its centre (7.5, 195).
    EXPECT_EQ(path.Points()[2], (PointF{5, 195}));
    // A box of no width gives points on one vertical line.
    for (int i = 15; i < 28; ++i) EXPECT_EQ(path.Points()[i].x, 10);
    path.AddLine({0, 0}, {1, 1});
    EXPECT_EQ(path.Types()[28], kStart);
}

TEST(PathArcTest, HalfArcFromBottomThroughLeftToTop) {
    // The arc in the box (0, 0, 100, 50) from 90 degrees over 180 degrees.
    Path path;
    ASSERT_TRUE(path.AddArc(0, 0, 100, 50, 90, 180));
    const double k = QuarterKappa();
    const Points expected{
        {50, 50}, {static_cast<float>(50 - 50 * k), 50}, {0, static_cast<float>(25 + 25 * k)},
        {0, 25},  {0, static_cast<float>(25 - 25 * k)},  {static_cast<float>(50 - 50 * k), 0},
        {50, 0}};
    EXPECT_TRUE(PointsNear(path.Points(), expected, 1e-4));
    EXPECT_EQ(path.Types(), (Types{kStart, kBezier, kBezier, kBezier, kBezier, kBezier, kBezier}));
}

TEST(PathArcTest, EndsLieOnTheEllipseInTheDirectionOfTheirAngles) {
    const Ellipse e{100, 50, 100, 50};
    struct Case {
        float start, sweep;
    };
    for (const Case c : {Case{30, 45}, Case{-80, 100}, Case{200, 130}, Case{10, -250},
                         Case{350, 20}, Case{95, 100}}) {
        Path path;
        ASSERT_TRUE(path.AddArc(0, 0, 200, 100, c.start, c.sweep));
        const Points& p = path.Points();
        SCOPED_TRACE(testing::Message() << "start " << c.start << " sweep " << c.sweep);
        EXPECT_TRUE(PointsNear({p.front()}, {e.AtDirection(c.start)}, 1e-3));
        EXPECT_TRUE(PointsNear({p.back()}, {e.AtDirection(c.start + c.sweep)}, 1e-3));
        // Every part ends on the ellipse and spans at most a quarter of its
        // parametric turn.
        for (size_t i = 3; i < p.size(); i += 3) {
            EXPECT_LT(e.Residual(p[i]), 1e-5);
            double step = std::fabs(e.ParametricDegrees(p[i]) - e.ParametricDegrees(p[i - 3]));
            if (step > 180) step = 360 - step;
            EXPECT_LE(step, 90.001);
        }
        EXPECT_EQ((p.size() - 1) % 3, 0u);
    }
}

TEST(PathArcTest, ContinuesTheOpenFigureAndSkipsARepeatedJoinPoint) {
    Path path;
    path.AddLine({1, 0}, {1, 0.5f});
    ASSERT_TRUE(path.AddArc(0, 0, 1, 1, 0, 90));
    // The arc starts at (1, 0.5), which is already the last point.
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kBezier, kBezier, kBezier}));
    EXPECT_TRUE(PointsNear(path.Points(),
                           {{1, 0}, {1, 0.5f}, {1, 0.776142f}, {0.776142f, 1}, {0.5f, 1}}, 5e-6));
    path.AddArc(0, 0, 1, 1, 180, 90);
    EXPECT_EQ(path.Types()[5], kLine);
}

TEST(PathArcTest, MoreThanAFullTurnIsOneTurnAndClosesTheFigure) {
    Path path;
    path.AddLine({0, 0}, {1, 1});
    ASSERT_TRUE(path.AddArc(100, 100, 500, 700, 50, -400));
    ASSERT_EQ(path.PointCount(), 2 + 13);
    EXPECT_EQ(path.Types()[2], kLine);
    EXPECT_EQ(path.Types().back(), kBezier | kClose);
    // The turn ends where it began; the platform's start point for 50
    // degrees on this ellipse is about (540.4, 676.9).
    EXPECT_TRUE(PointsNear({path.Points()[2]}, {{540.4f, 676.9f}}, 0.05));
    EXPECT_TRUE(PointsNear({path.Points().back()}, {path.Points()[2]}, 1e-3));
    path.AddLine({3, 3}, {4, 4});
    EXPECT_EQ(path.Types()[15], kStart);
}

TEST(PathArcTest, ZeroSweepAddsNothingAndEmptyBoxesAreRefused) {
    Path path;
    EXPECT_TRUE(path.AddArc(0, 0, 10, 10, 30, 0));
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_FALSE(path.AddArc(100, 100, 1, 0, 0, 90));
    EXPECT_FALSE(path.AddArc(100, 100, 0, 1, 0, 90));
    EXPECT_FALSE(path.AddArc(100, 100, -40, 1, 0, 90));
    EXPECT_FALSE(path.AddArc(100, 100, 1, -50, 0, 90));
    EXPECT_FALSE(path.AddArc(100, 100, NAN, 1, 0, 90));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(PathArcTest, SequenceMatchesThePlatform) {
    // The platform's points for a run of arcs on one figure (two decimals).
    Path path;
    path.AddArc(100, 100, 500, 700, 0, 90);
    path.AddArc(100, 100, 500, 700, 0, 100);
    path.AddArc(100, 100, 500, 700, -80, 100);
    const Points platform{{600.0f, 450.0f}, {600.0f, 643.3f}, {488.1f, 800.0f}, {350.0f, 800.0f},
                          {600.0f, 450.0f}, {600.0f, 643.3f}, {488.1f, 800.0f}, {350.0f, 800.0f},
                          {329.8f, 800.0f}, {309.7f, 796.6f}, {290.1f, 789.8f}, {409.9f, 110.2f},
                          {544.0f, 156.5f}, {625.8f, 346.2f}, {592.7f, 533.9f}, {592.5f, 535.3f},
                          {592.2f, 536.7f}, {592.0f, 538.1f}};
    EXPECT_TRUE(PointsNear(path.Points(), platform, 0.1));
    EXPECT_EQ(path.Types()[4], kLine);
    EXPECT_EQ(path.Types()[11], kLine);
}

const std::array<PointF, 4> kCurvePoints{{{0, 0}, {10, 10}, {10, 20}, {30, 10}}};

TEST(PathCurveTest, TensionZeroGivesStraightSegmentsWithControlPointsOnTheirEnds) {
    Path path;
    ASSERT_TRUE(path.AddCurve(kCurvePoints, 0));
    EXPECT_EQ(path.Points(), (Points{{0, 0},
                                     {0, 0},
                                     {10, 10},
                                     {10, 10},
                                     {10, 10},
                                     {10, 20},
                                     {10, 20},
                                     {10, 20},
                                     {30, 10},
                                     {30, 10}}));
    Types types(10, kBezier);
    types[0] = kStart;
    EXPECT_EQ(path.Types(), types);
}

TEST(PathCurveTest, TensionPlacesControlPointsAThirdAlongTheTangents) {
    // The platform's control points for tension 1.
    Path path;
    ASSERT_TRUE(path.AddCurve(kCurvePoints, 1));
    EXPECT_TRUE(PointsNear(path.Points(),
                           {{0, 0},
                            {3.333f, 3.333f},
                            {6.667f, 3.333f},
                            {10, 10},
                            {13.333f, 16.667f},
                            {3.333f, 20},
                            {10, 20},
                            {16.667f, 20},
                            {23.333f, 13.333f},
                            {30, 10}},
                           1e-3));
}

TEST(PathCurveTest, ContinuesTheOpenFigure) {
    Path path;
    path.AddLine({100, 120}, {0, 0});
    ASSERT_TRUE(path.AddCurve(kCurvePoints, 0));
    // The curve's first point repeats the last one: the Bezier starts there.
    EXPECT_EQ(path.PointCount(), 2 + 9);
    EXPECT_EQ(path.Types()[2], kBezier);
    path.StartFigure();
    path.AddCurve(kCurvePoints, 0);
    EXPECT_EQ(path.Types()[11], kStart);
}

TEST(PathCurveTest, NeedsTwoPoints) {
    Path path;
    EXPECT_FALSE(path.AddCurve(std::span(kCurvePoints).first(1), 0));
    EXPECT_FALSE(path.AddCurve({}, 0));
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_TRUE(path.AddCurve(std::span(kCurvePoints).first(2), 0));
    EXPECT_EQ(path.Points(), (Points{{0, 0}, {0, 0}, {10, 10}, {10, 10}}));
}

}  // namespace
}  // namespace velora::test
