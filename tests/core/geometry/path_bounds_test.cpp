// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_test_support.h"

#include <array>
#include <cmath>
#include <limits>

namespace velora::test {
namespace {

// The zig-zag of ten points between (200, 200) and (650, 600) plus an arc,
// whose bounds the platform documents: box (200, 200, 450, 600).
Path PlatformSample() {
    Path path;
    path.AddArc(100, 100, 500, 700, 0, 100);
    std::vector<PointF> zigzag;
    for (int i = 0; i < 10; ++i) {
        zigzag.push_back({200.0f + i * 50.0f * (i % 2), 200.0f + i * 50.0f * !(i % 2)});
    }
    path.AddLines(zigzag);
    return path;
}

bool RectNear(const RectF& a, const RectF& b, float tolerance) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance &&
           std::fabs(a.width - b.width) <= tolerance && std::fabs(a.height - b.height) <= tolerance;
}

TEST(PathBoundsTest, IncludeControlPoints) {
    // The curve itself only reaches y = -15; its control points reach -20.
    const Path path({{0, 0}, {10, -20}, {20, -20}, {30, 0}}, {kStart, kBezier, kBezier, kBezier});
    EXPECT_EQ(path.WorldBounds(), (RectF{0, -20, 30, 20}));
}

TEST(PathBoundsTest, MatchThePlatformWithAndWithoutMatrix) {
    const Path path = PlatformSample();
    EXPECT_TRUE(RectNear(path.WorldBounds(), {200, 200, 450, 600}, 0.5f));
    const Matrix shear(1.5f, 0, 1, 1.2f, 10.4f, 10.2f);
    EXPECT_TRUE(RectNear(path.WorldBounds(&shear), {510.4f, 250.2f, 1275, 720}, 0.5f));
    // The mapped box, not the mapped points: the corner (650, 800) is no
    // point of the path, yet it sets the top.
    const Matrix turn(0.9f, -0.5f, -0.5f, -1.2f, 10.4f, 10.2f);
    EXPECT_TRUE(RectNear(path.WorldBounds(&turn), {-209.6f, -1274.8f, 705, 945}, 0.5f));
}

TEST(PathBoundsTest, PenGrowsTheBoxByHalfItsWidth) {
    Path line;
    line.AddLine({200, 200}, {250, 200});
    EXPECT_EQ(line.WorldBounds(nullptr, 20.0f), (RectF{190, 190, 70, 20}));
    Path square;
    square.AddRectangleI(0, 0, 10, 10);
    EXPECT_EQ(square.WorldBounds(nullptr, 1.0f), (RectF{-0.5f, -0.5f, 11, 11}));
    EXPECT_EQ(square.WorldBoundsI(nullptr, 1.0f), (Rect{0, 0, 11, 11}));
}

TEST(PathBoundsTest, EmptyPathHasZeroBoundsWhateverTheMatrixOrPen) {
    const Path path;
    const Matrix shift(1, 0, 0, 1, 30, 40);
    EXPECT_EQ(path.WorldBounds(&shift, 5.0f), (RectF{}));
    EXPECT_EQ(path.WorldBoundsI(&shift, 5.0f), (Rect{}));
}

TEST(PathBoundsTest, IntegerBoundsRoundEachValueHalfUp) {
    struct Case {
        PointF a, b;
        Rect expected;
    };
    for (const Case& c : {
             Case{{2.5f, -1.5f}, {5.0f, 1.0f}, {3, -1, 3, 3}},      // 2.5 and -1.5 round up
             Case{{-2.5f, 0.49f}, {-0.5f, 2.0f}, {-2, 0, 2, 2}},    // width 2 stays 2
             Case{{0.2f, 0.7f}, {1.7f, 3.1f}, {0, 1, 2, 2}},        // width 1.5 gives 2
             Case{{-0.7f, -3.6f}, {-0.3f, -3.5f}, {-1, -4, 0, 0}},  // tiny sizes give 0
         }) {
        Path path;
        path.AddLine(c.a, c.b);
        EXPECT_EQ(path.WorldBoundsI(), c.expected) << c.a.x << "," << c.a.y;
    }
}

TEST(PathBoundsTest, UndefinedAndInfinitePointsAreLeftOut) {
    Path path({{1, 2}, {NAN, 50}, {INFINITY, 0}, {3, -INFINITY}, {4, 8}},
              {kStart, kLine, kLine, kLine, kLine});
    EXPECT_EQ(path.WorldBounds(), (RectF{1, 2, 3, 6}));
    const Path nothing({{NAN, NAN}}, {kStart});
    EXPECT_EQ(nothing.WorldBoundsI(), (Rect{}));
    // Bounds too large for an int are clamped, not undefined.
    const Path huge({{-3e38f, 0}, {3e38f, 1}}, {kStart, kLine});
    EXPECT_EQ(huge.WorldBoundsI().width, std::numeric_limits<int>::max());
    EXPECT_EQ(huge.WorldBoundsI().x, std::numeric_limits<int>::min());
}

TEST(PathPainterTest, FiguresBecomeSubpathsWithCubicsAndClosing) {
    Path path;
    path.AddRectangleI(0, 0, 10, 10);
    path.AddArc(20, 0, 10, 10, 0, 90);
    path.StartFigure();
    path.AddLine({0, 30}, {5, 30});
    const QPainterPath painter = path.ToPainterPath();
    EXPECT_EQ(painter.fillRule(), Qt::OddEvenFill);
    ASSERT_GE(painter.elementCount(), 10);
    EXPECT_TRUE(painter.elementAt(0).isMoveTo());
    EXPECT_TRUE(painter.elementAt(3).isLineTo());
    // Closing the rectangle draws the line back to its start.
    EXPECT_TRUE(painter.elementAt(4).isLineTo());
    EXPECT_EQ(QPointF(painter.elementAt(4)), QPointF(0, 0));
    EXPECT_TRUE(painter.elementAt(5).isMoveTo());
    EXPECT_TRUE(painter.elementAt(6).isCurveTo());
    EXPECT_EQ(QPointF(painter.elementAt(8)), QPointF(25, 10));
    EXPECT_TRUE(painter.elementAt(9).isMoveTo());
    EXPECT_EQ(painter.elementCount(), 11);
    EXPECT_TRUE(painter.contains(QPointF(5, 5)));
    EXPECT_FALSE(painter.contains(QPointF(15, 5)));
}

TEST(PathPainterTest, WindingPathsFillWithWindingRule) {
    Path path(FillMode::Winding);
    path.AddEllipse(0, 0, 10, 10);
    const QPainterPath painter = path.ToPainterPath();
    EXPECT_EQ(painter.fillRule(), Qt::WindingFill);
    EXPECT_EQ(painter.elementCount(), 13);
    EXPECT_TRUE(painter.contains(QPointF(5, 5)));
}

}  // namespace
}  // namespace velora::test
