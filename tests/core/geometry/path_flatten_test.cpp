// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_test_support.h"

#include "core/geometry/bezier_flattener.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velora::test {
namespace {

using Types = std::vector<uint8_t>;
using Points = std::vector<PointF>;

double DistanceToSegment(double px, double py, PointF a, PointF b) {
    const double abx = b.x - a.x, aby = b.y - a.y;
    const double length2 = abx * abx + aby * aby;
    double t = length2 > 0 ? ((px - a.x) * abx + (py - a.y) * aby) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - a.x - t * abx, py - a.y - t * aby);
}

double DistanceToPolyline(double px, double py, const Points& line) {
    double best = INFINITY;
    for (size_t i = 1; i < line.size(); ++i) {
        best = std::min(best, DistanceToSegment(px, py, line[i - 1], line[i]));
    }
    return best;
}

// The largest distance from densely sampled points of the Bezier segments of
// a single-figure path to its flattened outline.
double LargestDeviation(const Path& curved, const Path& flat) {
    const Points& p = curved.Points();
    double worst = 0;
    for (size_t i = 1; i + 2 < p.size(); ++i) {
        if ((curved.Types()[i] & PathPointType::TypeMask) != kBezier) continue;
        for (int k = 0; k <= 400; ++k) {
            const double t = k / 400.0, u = 1 - t;
            const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
            const double x = b0 * p[i - 1].x + b1 * p[i].x + b2 * p[i + 1].x + b3 * p[i + 2].x;
            const double y = b0 * p[i - 1].y + b1 * p[i].y + b2 * p[i + 1].y + b3 * p[i + 2].y;
            worst = std::max(worst, DistanceToPolyline(x, y, flat.Points()));
        }
        i += 2;
    }
    return worst;
}

class FlattenTest : public ::testing::TestWithParam<float> {};

TEST_P(FlattenTest, EllipseStaysWithinTheFlatnessAndClosed) {
    const float flatness = GetParam();
    Path curved;
    curved.AddEllipse(0, 0, 1000, 500);
    Path flat = curved;
    flat.Flatten(nullptr, flatness);
    EXPECT_LE(LargestDeviation(curved, flat), flatness * 1.0001 + 1e-3);
    ASSERT_GT(flat.PointCount(), 13);
    EXPECT_EQ(flat.Types().front(), kStart);
    EXPECT_EQ(flat.Types().back(), kLine | kClose);
    EXPECT_TRUE(std::all_of(flat.Types().begin() + 1, flat.Types().end() - 1,
                            [](uint8_t t) { return t == kLine; }));
    // The Bezier ends are kept as vertices.
    for (size_t i = 0; i < 13; i += 3) {
        EXPECT_NE(std::find(flat.Points().begin(), flat.Points().end(), curved.Points()[i]),
                  flat.Points().end());
    }
}

INSTANTIATE_TEST_SUITE_P(Flatness, FlattenTest, ::testing::Values(0.01f, 0.25f, 1.0f, 10.0f));

TEST(PathFlattenTest, FinerFlatnessGivesMorePoints) {
    Path coarse;
    coarse.AddArc(0, 0, 200, 200, 0, 270);
    Path fine = coarse;
    coarse.Flatten(nullptr, 1.0f);
    fine.Flatten(nullptr, 0.01f);
    EXPECT_GT(fine.PointCount(), 3 * coarse.PointCount());
}

TEST(PathFlattenTest, AppliesTheMatrixOnceBeforeFlattening) {
    Path path;
    path.AddLine({1, 2}, {3, 4});
    path.AddArc(0, 0, 10, 10, 0, 90);
    Matrix scale;
    scale.Scale(10, 10, MatrixOrder::Append);
    Path flat = path;
    flat.Flatten(&scale, 0.01f);
    EXPECT_EQ(flat.Points()[0], (PointF{10, 20}));
    EXPECT_EQ(flat.Points()[1], (PointF{30, 40}));
    EXPECT_EQ(flat.Points()[2], (PointF{100, 50}));
    EXPECT_EQ(flat.Points().back(), (PointF{50, 100}));
    path.Transform(scale);
    EXPECT_LE(LargestDeviation(path, flat), 0.0101);
}

TEST(PathFlattenTest, StraightBezierSegmentsBecomeSingleLines) {
    // A curve of tension 0 is straight already: nothing is added.
    const std::array<PointF, 4> points{{{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}};
    Path path;
    path.AddCurve(points, 0);
    path.Flatten(nullptr, 0.01f);
    EXPECT_EQ(path.Points(), Points(points.begin(), points.end()));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kLine, kLine}));
}

TEST(PathFlattenTest, LinesAndTheirFlagsAreKept) {
    Path path({{0, 0}, {5, 0}, {5, 5}, {0, 5}}, {kStart, kLine | kMarker, kLine, kLine | kClose});
    const Path before = path;
    path.Flatten(nullptr, 0.25f);
    EXPECT_EQ(path.Points(), before.Points());
    EXPECT_EQ(path.Types(), before.Types());
}

TEST(PathFlattenTest, FlagsOfABezierEndMoveToItsLastLine) {
    Path path({{0, 0}, {0, 10}, {10, 10}, {10, 0}},
              {kStart, kBezier, kBezier, kBezier | kMarker | kClose});
    path.Flatten(nullptr, 0.1f);
    ASSERT_GT(path.PointCount(), 4);
    EXPECT_EQ(path.Types().back(), kLine | kMarker | kClose);
    EXPECT_EQ(path.Points().back(), (PointF{10, 0}));
    EXPECT_EQ(std::count_if(path.Types().begin(), path.Types().end(),
                            [](uint8_t t) { return t & (kMarker | kClose); }),
              1);
}

TEST(PathFlattenTest, BezierPointsWithoutTheirFollowersBecomeLines) {
    // Stored records may break off in the middle of a Bezier segment.
    Path path({{0, 0}, {1, 1}, {2, 0}}, {kStart, kBezier, kBezier});
    path.Flatten(nullptr, 0.25f);
    EXPECT_EQ(path.Points(), (Points{{0, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kLine}));
}

TEST(PathFlattenTest, UndefinedOrHugeCoordinatesCostABoundedNumberOfPoints) {
    const float huge = 1e30f;
    Path path(
        {{0, 0},
         {NAN, 0},
         {1, NAN},
         {5, 5},
         {huge, -huge},
         {-huge, huge},
         {0, 0},
         {INFINITY, 0},
         {0, -INFINITY},
         {1, 1}},
        {kStart, kBezier, kBezier, kBezier, kBezier, kBezier, kBezier, kBezier, kBezier, kBezier});
    path.Flatten(nullptr, 0.01f);
    EXPECT_LE(path.PointCount(), 1 + 3 * BezierFlattener::kMaxSegments);
    EXPECT_EQ(path.Points().back(), (PointF{1, 1}));

    Path zeroFlatness;
    zeroFlatness.AddEllipse(0, 0, 10, 10);
    zeroFlatness.Flatten(nullptr, 0);
    EXPECT_EQ(zeroFlatness.PointCount(), 1 + 4 * BezierFlattener::kMaxSegments);
}

TEST(PathFlattenTest, EmptyPathStaysEmpty) {
    Path path;
    Matrix shift(1, 0, 0, 1, 5, 5);
    path.Flatten(&shift, 0.25f);
    EXPECT_TRUE(path.IsEmpty());
}

TEST(PathTransformTest, MapsEveryPointByTheMatrix) {
    Path path;
    path.AddEllipse(0, 0, 10, 20);
    const Matrix m(0.5f, 2, -1, 3, 7, -4);
    Path moved = path;
    moved.Transform(m);
    for (size_t i = 0; i < path.Points().size(); ++i) {
        const PointF p = path.Points()[i];
        EXPECT_EQ(moved.Points()[i], (PointF{p.x * 0.5f + p.y * -1 + 7, p.x * 2 + p.y * 3 - 4}));
    }
    EXPECT_EQ(moved.Types(), path.Types());
}

}  // namespace
}  // namespace velora::test
