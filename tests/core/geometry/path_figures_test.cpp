// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_test_support.h"

#include <array>
#include <stdexcept>

namespace velora::test {
namespace {

using Types = std::vector<uint8_t>;
using Points = std::vector<PointF>;

TEST(PathFiguresTest, LinesContinueTheOpenFigureAndSkipARepeatedJoinPoint) {
    Path path;
    EXPECT_TRUE(path.AddLine({0, 0}, {10, 0}));
    // Joined to the open figure by a line to its first point.
    EXPECT_TRUE(path.AddLine({20, 0}, {20, 10}));
    // The first point repeats the last one and is left out.
    const std::array<PointF, 3> more{{{20, 10}, {0, 10}, {0, 5}}};
    EXPECT_TRUE(path.AddLines(more));
    EXPECT_EQ(path.Points(), (Points{{0, 0}, {10, 0}, {20, 0}, {20, 10}, {0, 10}, {0, 5}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kLine, kLine, kLine, kLine}));
}

TEST(PathFiguresTest, StartAndCloseFigureBeginANewFigure) {
    Path path;
    path.AddLine({0, 0}, {1, 0});
    path.StartFigure();
    path.AddLine({1, 0}, {2, 0});  // same point as the last, but a new figure
    path.CloseFigure();
    path.AddLine({5, 5}, {6, 6});
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kStart, kLine | kClose, kStart, kLine}));
    EXPECT_EQ(path.PointCount(), 6);
}

TEST(PathFiguresTest, CloseFigureOnAnEmptyPathChangesNothing) {
    Path path;
    path.CloseFigure();
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_FALSE(path.FirstPoint().has_value());
    EXPECT_FALSE(path.LastPoint().has_value());
}

TEST(PathFiguresTest, AddLinesNeedsAPoint) {
    Path path;
    EXPECT_FALSE(path.AddLines({}));
    EXPECT_TRUE(path.IsEmpty());
    const std::array<PointF, 1> one{{{3, 4}}};
    EXPECT_TRUE(path.AddLines(one));
    EXPECT_EQ(path.Types(), (Types{kStart}));
}

TEST(PathFiguresTest, PointsOfThePathItselfCanBeAddedAgain) {
    Path path;
    const std::array<PointF, 3> points{{{0, 0}, {4, 0}, {4, 4}}};
    path.AddLines(points);
    for (int i = 0; i < 5; ++i) path.AddLines(path.Points());
    path.AddPolygon(path.Points());
    EXPECT_EQ(path.Points().back(), (PointF{4, 4}));
    EXPECT_EQ(path.Types().back(), kLine | kClose);
}

TEST(PathFiguresTest, PolygonIsAClosedFigureOfItsOwn) {
    Path path;
    path.AddLine({5, 5}, {6, 8});
    const std::array<PointF, 5> polygon{{{0, 0}, {10, 10}, {10, 20}, {30, 10}, {20, 0}}};
    EXPECT_TRUE(path.AddPolygon(polygon));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kStart, kLine, kLine, kLine, kLine | kClose}));
    // The next figure does not continue the polygon.
    path.AddLine({20, 0}, {0, 0});
    EXPECT_EQ(path.Types()[7], kStart);
}

TEST(PathFiguresTest, PolygonNeedsThreePoints) {
    Path path;
    const std::array<PointF, 2> two{{{0, 0}, {1, 1}}};
    EXPECT_FALSE(path.AddPolygon(two));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(PathFiguresTest, RectangleRunsClockwiseFromItsTopLeftCorner) {
    Path path;
    path.AddLine({0, 0}, {1, 1});
    EXPECT_TRUE(path.AddRectangleI(5, 5, 100, 50));
    EXPECT_TRUE(path.AddRectangleI(-10, 20, 3, 4));
    EXPECT_EQ(path.Points(), (Points{{0, 0},
                                     {1, 1},
                                     {5, 5},
                                     {105, 5},
                                     {105, 55},
                                     {5, 55},
                                     {-10, 20},
                                     {-7, 20},
                                     {-7, 24},
                                     {-10, 24}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kStart, kLine, kLine, kLine | kClose, kStart,
                                   kLine, kLine, kLine | kClose}));
}

TEST(PathFiguresTest, RectangleWithoutAreaIsRefused) {
    Path path;
    EXPECT_FALSE(path.AddRectangleI(0, 0, 0, 10));
    EXPECT_FALSE(path.AddRectangleI(0, 0, 10, -1));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(PathFiguresTest, StoredPointsKeepTheirTypesAndNextFigureStartsAnew) {
    Path path({{0, 0}, {1, 0}}, {kStart, kLine}, FillMode::Winding);
    EXPECT_EQ(path.GetFillMode(), FillMode::Winding);
    path.AddLine({1, 0}, {2, 0});
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kStart, kLine}));
    EXPECT_THROW(Path({{0, 0}}, {kStart, kLine}), std::invalid_argument);
}

TEST(PathFiguresTest, ResetEmptiesAndReturnsToAlternateFill) {
    Path path(FillMode::Winding);
    path.AddLine({0, 0}, {1, 1});
    path.Reset();
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_EQ(path.GetFillMode(), FillMode::Alternate);
    path.AddLine({1, 1}, {2, 2});
    EXPECT_EQ(path.Types()[0], kStart);
}

class AddPathTest : public ::testing::Test {
protected:
    AddPathTest() {
        piece.AddLine({10, 0}, {10, 10});
        piece.AddLine({10, 10}, {0, 10});
        base.AddLine({0, 0}, {10, 0});
    }
    Path base;
    Path piece;
};

TEST_F(AddPathTest, ConnectContinuesTheOpenFigureWithALine) {
    base.AddPath(piece, true);
    // The join point is not merged: the chain keeps every point of both.
    EXPECT_EQ(base.Points(), (Points{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(base.Types(), (Types{kStart, kLine, kLine, kLine, kLine}));
    // Still open: more lines continue the same figure.
    base.AddLine({0, 10}, {0, 0});
    EXPECT_EQ(base.Types().back(), kLine);
    EXPECT_EQ(base.PointCount(), 6);
}

TEST_F(AddPathTest, WithoutConnectOrAfterAClosedFigureTheAddedPathStartsAFigure) {
    Path joined = base;
    joined.AddPath(piece, false);
    EXPECT_EQ(joined.Types(), (Types{kStart, kLine, kStart, kLine, kLine}));

    base.CloseFigure();
    base.AddPath(piece, true);
    EXPECT_EQ(base.Types(), (Types{kStart, kLine | kClose, kStart, kLine, kLine}));
}

TEST_F(AddPathTest, AFigureClosedInTheAddedPathIsNotContinued) {
    Path ring;
    ring.AddRectangleI(0, 0, 2, 2);
    base.AddPath(ring, true);
    EXPECT_EQ(base.Types()[2], kLine);  // joined to the open line
    base.AddLine({7, 7}, {8, 8});
    EXPECT_EQ(base.Types()[6], kStart);
}

TEST_F(AddPathTest, EmptyPathOrThePathItselfCanBeAdded) {
    base.AddPath(Path(), true);
    EXPECT_EQ(base.PointCount(), 2);
    base.AddPath(base, true);
    EXPECT_EQ(base.Points(), (Points{{0, 0}, {10, 0}, {0, 0}, {10, 0}}));
    EXPECT_EQ(base.Types(), (Types{kStart, kLine, kLine, kLine}));
}

TEST(PathReverseTest, FiguresSwapOrderAndKeepTheirCloseFlag) {
    // An open figure after a closed one.
    Path path;
    const std::array<PointF, 4> first{{{0, 50}, {5, 45}, {0, 40}, {15, 35}}};
    const std::array<PointF, 3> second{{{0, 30}, {25, 25}, {0, 20}}};
    path.AddLines(first);
    path.CloseFigure();
    path.AddLines(second);
    path.Reverse();
    EXPECT_EQ(path.Points(),
              (Points{{0, 20}, {25, 25}, {0, 30}, {15, 35}, {0, 40}, {5, 45}, {0, 50}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kLine, kStart, kLine, kLine, kLine | kClose}));
}

TEST(PathReverseTest, BezierTriplesStayTogetherAndSegmentsKeepTheirKind) {
    Path path;
    path.AddLine({0, 0}, {10, 0});
    path.AddArc(0, 0, 20, 20, 0, 90);  // starts with a line to (20, 10)
    ASSERT_EQ(path.Types(), (Types{kStart, kLine, kLine, kBezier, kBezier, kBezier}));
    const Points before = path.Points();
    path.Reverse();
    EXPECT_EQ(path.Types(), (Types{kStart, kBezier, kBezier, kBezier, kLine, kLine}));
    EXPECT_EQ(path.Points(), Points(before.rbegin(), before.rend()));
}

TEST(PathReverseTest, ATwoPointLineStaysALine) {
    Path path;
    path.AddLine({1, 2}, {3, 4});
    path.Reverse();
    EXPECT_EQ(path.Points(), (Points{{3, 4}, {1, 2}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine}));
    EXPECT_EQ(path.FirstPoint(), (PointF{3, 4}));
    EXPECT_EQ(path.LastPoint(), (PointF{1, 2}));
}

TEST(PathReverseTest, MarkerStaysBetweenTheSamePoints) {
    // The marker on b separates a-b from c-d-e; reversed (e, d, c, b, a) the
    // same boundary follows c.
    Path path({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}},
              {kStart, kLine | kMarker, kLine, kLine, kLine});
    path.Reverse();
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kLine | kMarker, kLine, kLine}));
}

TEST(PathReverseTest, ReversingTwiceRestoresAWellFormedPath) {
    Path path;
    path.AddEllipse(0, 0, 40, 20);
    path.AddLine({1, 1}, {2, 2});
    path.AddArc(-5, -5, 30, 10, 45, -200);
    path.AddLine({7, 7}, {9, 1});
    path.CloseFigure();
    const std::array<PointF, 3> triangle{{{0, 0}, {1, 0}, {0, 1}}};
    path.AddPolygon(triangle);
    Path twice = path;
    twice.Reverse();
    EXPECT_NE(twice.Points(), path.Points());
    twice.Reverse();
    EXPECT_EQ(twice.Points(), path.Points());
    EXPECT_EQ(twice.Types(), path.Types());
}

TEST(PathReverseTest, SinglePointFiguresAndEmptyPathsSurvive) {
    Path empty;
    empty.Reverse();
    EXPECT_TRUE(empty.IsEmpty());
    Path path({{1, 1}, {2, 2}, {3, 3}}, {kStart | kClose, kStart, kLine});
    path.Reverse();
    EXPECT_EQ(path.Points(), (Points{{3, 3}, {2, 2}, {1, 1}}));
    EXPECT_EQ(path.Types(), (Types{kStart, kLine, kStart | kClose}));
}

}  // namespace
}  // namespace velora::test

namespace velora {
namespace {

// The painter path as moveTo, lineTo, cubicTo and closeSubpath build it, one
// element at a time: what ToPainterPath must give, however it builds it.
QPainterPath ElementByElement(const Path& path) {
    QPainterPath painter;
    painter.setFillRule(Qt::OddEvenFill);
    const auto& points = path.Points();
    const auto& types = path.Types();
    for (size_t i = 0; i < points.size(); ++i) {
        const uint8_t kind = types[i] & PathPointType::TypeMask;
        if (i == 0 || kind == PathPointType::Start) {
            painter.moveTo(points[i].ToQPointF());
        } else if (kind == PathPointType::Bezier && i + 2 < points.size()) {
            painter.cubicTo(points[i].ToQPointF(), points[i + 1].ToQPointF(),
                            points[i + 2].ToQPointF());
            i += 2;
        } else {
            painter.lineTo(points[i].ToQPointF());
        }
        if (types[i] & PathPointType::CloseSubpath) painter.closeSubpath();
    }
    return painter;
}

std::vector<QPainterPath::Element> Elements(const QPainterPath& path) {
    std::vector<QPainterPath::Element> elements;
    for (int i = 0; i < path.elementCount(); ++i) elements.push_back(path.elementAt(i));
    return elements;
}

bool SameElements(const QPainterPath& a, const QPainterPath& b) {
    const auto x = Elements(a), y = Elements(b);
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const auto& p, const auto& q) {
        return p.x == q.x && p.y == q.y && p.type == q.type;
    });
}

TEST(PathToPainterPath, LineFiguresComeOutAsLineToWouldBuildThem) {
    Path path;
    // Repeated points (lineTo leaves them out), an open figure, a closed one
    // whose last point is its first, a short one, curves and a figure closed
    // early.
    path.AddLines(std::vector<PointF>{{0, 0}, {1, 0}, {1, 0}, {2, 1}, {2, 1}, {3, 5}, {4, 4}});
    path.AddPolygon(std::vector<PointF>{{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}, {5, 5}});
    path.AddPolygon(std::vector<PointF>{{30, 30}, {40, 30}, {35, 40}});
    path.AddEllipse(50, 50, 20, 10);
    path.AddLines(std::vector<PointF>{{0, 100}, {5, 100}, {5, 105}, {0, 105}, {0, 110}, {9, 9}});
    EXPECT_TRUE(SameElements(path.ToPainterPath(), ElementByElement(path)));
}

TEST(PathAddPath, MovingAPathGivesWhatCopyingGives) {
    Path closed;
    closed.AddPolygon(std::vector<PointF>{{0, 0}, {4, 0}, {4, 4}});
    for (const bool connect : {false, true}) {
        Path copied, moved;
        copied.AddPath(closed, connect);
        Path source = closed;
        moved.AddPath(std::move(source), connect);
        EXPECT_TRUE(source.IsEmpty());
        EXPECT_EQ(moved.Points(), copied.Points());
        EXPECT_EQ(moved.Types(), copied.Types());
        // What follows joins (or not) alike.
        copied.AddLine({9, 9}, {8, 8});
        moved.AddLine({9, 9}, {8, 8});
        EXPECT_EQ(moved.Types(), copied.Types());
    }
}

}  // namespace
}  // namespace velora
