// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/chaining.h"

#include "core/geometry/rounding.h"
#include "core/model/drawing_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <list>
#include <random>

namespace velora {
namespace {

// --- the rescanning procedure, kept literal as the reference ----------------

// Chains pieces the slow way: after every match the pending list is scanned
// again from its beginning, passing over closed pieces. Reverses pieces in place and returns the
// chains as piece indices.
template <typename Piece, typename First, typename Last, typename Equal>
std::vector<std::vector<size_t>> RescanChains(std::vector<Piece>& pieces, First first, Last last,
                                              Equal equal, const std::vector<bool>& closed) {
    std::list<size_t> pending;
    for (size_t i = 0; i < pieces.size(); ++i) pending.push_back(i);
    std::vector<std::vector<size_t>> chains;
    while (!pending.empty()) {
        const size_t begin = pending.front();
        pending.pop_front();
        std::deque<size_t> chain{begin};
        while (!closed[begin] && first(pieces[begin])) {
            const auto s = *first(pieces[chain.front()]);
            const auto e = *last(pieces[chain.back()]);
            // Which of the four cases the piece matches, tested in order; 0 none.
            const auto matchOf = [&](const Piece& p) {
                if (!first(p)) return 0;
                if (equal(*first(p), s)) return 1;
                if (equal(*last(p), s)) return 2;
                if (equal(*first(p), e)) return 3;
                return equal(*last(p), e) ? 4 : 0;
            };
            // A closed piece is an object of its own and never joins a chain.
            auto it = pending.begin();
            while (it != pending.end() && (closed[*it] || matchOf(pieces[*it]) == 0)) ++it;
            if (it == pending.end()) break;
            const int match = matchOf(pieces[*it]);
            if (match == 1 || match == 4) pieces[*it].Reverse();
            if (match <= 2) {
                chain.push_front(*it);
            } else {
                chain.push_back(*it);
            }
            pending.erase(it);
            if (equal(*first(pieces[chain.front()]), *last(pieces[chain.back()]))) break;
        }
        chains.emplace_back(chain.begin(), chain.end());
    }
    return chains;
}

std::vector<std::vector<size_t>> RescanShapes(std::vector<CShape>& shapes) {
    std::vector<bool> closed;
    for (const CShape& shape : shapes) closed.push_back(shape.IsClosed());
    return RescanChains(
        shapes, [](const CShape& s) { return s.FirstPoint(); },
        [](const CShape& s) { return s.LastPoint(); },
        [](const ShapePoint& a, const ShapePoint& b) { return a == b; }, closed);
}

// Import pieces have no closed flag: a piece of more than one segment that
// returns to where it starts is closed.
std::vector<bool> ClosedPieces(const std::vector<Path>& paths) {
    std::vector<bool> closed;
    for (const Path& p : paths) {
        const auto same = [](float a, float b) {
            return RoundTruncatedHalfUp(a) == RoundTruncatedHalfUp(b);
        };
        closed.push_back(p.PointCount() > 2 && same(p.FirstPoint()->x, p.LastPoint()->x) &&
                         same(p.FirstPoint()->y, p.LastPoint()->y));
    }
    return closed;
}

std::vector<std::vector<size_t>> RescanPaths(std::vector<Path>& paths) {
    return RescanChains(
        paths, [](const Path& p) { return p.FirstPoint(); },
        [](const Path& p) { return p.LastPoint(); },
        [](const PointF& a, const PointF& b) {
            return RoundTruncatedHalfUp(a.x) == RoundTruncatedHalfUp(b.x) &&
                   RoundTruncatedHalfUp(a.y) == RoundTruncatedHalfUp(b.y);
        },
        ClosedPieces(paths));
}

// Points compared bit for bit, so that NaN coordinates compare too.
bool SamePoints(const std::vector<PointF>& a, const std::vector<PointF>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(PointF)) == 0);
}

bool SameShapePoints(const CShape& a, const CShape& b) {
    const auto& p = a.Points();
    const auto& q = b.Points();
    if (p.size() != q.size()) return false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (std::memcmp(&p[i].x, &q[i].x, sizeof(float)) != 0 ||
            std::memcmp(&p[i].y, &q[i].y, sizeof(float)) != 0 || p[i].code != q[i].code ||
            std::memcmp(&p[i].value, &q[i].value, sizeof(double)) != 0) {
            return false;
        }
    }
    return true;
}

std::vector<Path> ExpectedObjectPaths(const std::vector<std::vector<size_t>>& chains,
                                      const std::vector<CShape>& shapes) {
    std::vector<Path> paths;
    for (const auto& chain : chains) {
        Path path;
        for (size_t piece : chain) shapes[piece].AddToPath(path);
        if (!path.IsEmpty()) paths.push_back(std::move(path));
    }
    return paths;
}

std::vector<Path> ExpectedObjectPaths(const std::vector<std::vector<size_t>>& chains,
                                      const std::vector<Path>& pieces) {
    std::vector<Path> paths;
    for (const auto& chain : chains) {
        Path path;
        for (size_t piece : chain) path.AddPath(pieces[piece], true);
        if (!path.IsEmpty()) paths.push_back(std::move(path));
    }
    return paths;
}

void ExpectObjects(const CDrawingModel& model, const std::vector<Path>& expected) {
    ASSERT_EQ(model.Objects().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Path& path = model.Objects()[i].GetPath();
        EXPECT_TRUE(SamePoints(path.Points(), expected[i].Points())) << "object " << i;
        EXPECT_EQ(path.Types(), expected[i].Types()) << "object " << i;
    }
}

ShapePoint P(float x, float y) { return {x, y, 0, 0}; }

CShape Polyline(std::vector<ShapePoint> points) {
    return CShape(kShapePolyline, false, std::move(points));
}

Path LinePath(PointF from, PointF to) {
    Path path;
    path.AddLine(from, to);
    return path;
}

// --- shapes --------------------------------------------------------------------

TEST(ChainShapesTest, ThreePolylinesCloseIntoOneObject) {
    CDrawingModel model;
    model.Shapes() = {Polyline({P(0, 0), P(10, 0)}), Polyline({P(10, 10), P(10, 0)}),
                      Polyline({P(0, 0), P(10, 10)})};
    ChainShapes(model);

    ASSERT_EQ(model.Objects().size(), 1u);
    // P2 was appended reversed, P3 put in front reversed.
    EXPECT_EQ(model.Shapes()[1].Points(), (std::vector{P(10, 0), P(10, 10)}));
    EXPECT_EQ(model.Shapes()[2].Points(), (std::vector{P(10, 10), P(0, 0)}));
    const std::vector<PointF> expected{{10, 10}, {0, 0}, {10, 0}, {10, 10}};
    std::vector<PointF> distinct;
    for (const PointF& p : model.Objects()[0].GetPath().Points()) {
        if (distinct.empty() || !(distinct.back() == p)) distinct.push_back(p);
    }
    EXPECT_EQ(distinct, expected);
    EXPECT_TRUE(model.Objects()[0].GetName().startsWith("Object"));
}

TEST(ChainShapesTest, ClosedShapeStaysAloneEvenWhenTouched) {
    CDrawingModel model;
    model.Shapes() = {CShape(kShapeRectangle, true, {P(0, 0), P(10, 10)}),
                      Polyline({P(0, 0), P(20, 20)}), Polyline({P(20, 20), P(0, 0)})};
    ChainShapes(model);
    ASSERT_EQ(model.Objects().size(), 2u);
    EXPECT_EQ(model.Objects()[0].GetPath().PointCount(), 4);
    // The two polylines close on each other, the second one in front.
    EXPECT_EQ(model.Objects()[1].GetPath().FirstPoint(), (PointF{20, 20}));

    // An open chain passes over a closed shape that touches its ends.
    model.Clear();
    model.Shapes() = {Polyline({P(20, 0), P(0, 0)}),
                      CShape(kShapeRectangle, true, {P(0, 0), P(5, 5)}),
                      CShape(kShapeRectangle, true, {P(20, 0), P(30, 5)})};
    ChainShapes(model);
    ASSERT_EQ(model.Objects().size(), 3u);
    EXPECT_EQ(model.Objects()[0].GetPath().PointCount(), 2);
    EXPECT_EQ(model.Objects()[1].GetPath().PointCount(), 4);
    EXPECT_EQ(model.Objects()[2].GetPath().PointCount(), 4);
}

TEST(ChainShapesTest, NamesEveryObjectAndSkipsShapesWithoutGeometry) {
    CDrawingModel model;
    model.SetDocumentKind(kTemplateDocument);
    model.Shapes() = {CShape(kShapeNone, false, {P(1, 1), P(2, 2)}),
                      CShape(kShapeEllipse, true, {P(0, 0), P(8, 4)}),
                      CShape(kShapePolyline, false, {}),
                      CShape(kShapeRectangle, true, {P(5, 5), P(9, 9)})};
    ChainShapes(model);
    ASSERT_EQ(model.Objects().size(), 2u);
    const int first = model.Objects()[0].GetName().mid(6).toInt();
    EXPECT_EQ(model.Objects()[1].GetName(), QString("Object%1").arg(first + 1));
    EXPECT_EQ(model.Objects()[1].GetKind(), kTemplateDocument);
    EXPECT_FALSE(model.Objects()[1].GetRegion().isEmpty());
    EXPECT_EQ(model.Shapes().size(), 4u);
}

TEST(ChainShapesTest, PointsMeetOnlyWhenCodeAndValueAgreeToo) {
    CDrawingModel model;
    model.Shapes() = {Polyline({P(0, 0), P(5, 0)}), Polyline({{5, 0, 42, 0.5}, P(7, 7)}),
                      Polyline({P(5, 0), P(9, 9)})};
    ChainShapes(model);
    ASSERT_EQ(model.Objects().size(), 2u);
    EXPECT_EQ(model.Objects()[0].GetPath().LastPoint(), (PointF{9, 9}));
    EXPECT_EQ(model.Objects()[1].GetPath().PointCount(), 2);
}

// Random pieces over a few end points, so that chains branch, close early,
// run into pieces whose ends are equal, and meet zeros of either sign.
std::vector<CShape> RandomShapes(std::mt19937& random, int count) {
    const std::vector<ShapePoint> ends{P(0, 0),         P(-0.0f, 0), P(1, 0),
                                       P(1, 1),         P(0, 1),     {1, 1, 42, 0.25},
                                       {0, 0, 0, -0.0}, P(2, 0.5f),  P(std::nanf(""), 1)};
    std::uniform_int_distribution<size_t> pick(0, ends.size() - 1);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<CShape> shapes;
    for (int i = 0; i < count; ++i) {
        const int k = kind(random);
        if (k == 0) {
            shapes.emplace_back(kShapeRectangle, true, std::vector{ends[pick(random)], P(7, 7)});
        } else if (k == 1) {
            shapes.emplace_back(kShapePolyline, false);
        } else {
            std::vector<ShapePoint> points{ends[pick(random)]};
            if (k > 5) points.push_back(P(static_cast<float>(k), 3));
            points.push_back(ends[pick(random)]);
            shapes.emplace_back(k == 9 ? kShapePolygon : kShapePolyline, false, points);
        }
    }
    return shapes;
}

TEST(ChainShapesTest, GivesTheChainsOfTheRescanningProcedure) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 600; ++round) {
        std::vector<CShape> shapes = RandomShapes(random, 1 + round % 40);
        std::vector<CShape> reference = shapes;
        const auto chains = RescanShapes(reference);

        CDrawingModel model;
        model.Shapes() = shapes;
        ChainShapes(model);

        SCOPED_TRACE(round);
        ExpectObjects(model, ExpectedObjectPaths(chains, reference));
        for (size_t i = 0; i < reference.size(); ++i) {
            EXPECT_TRUE(SameShapePoints(model.Shapes()[i], reference[i])) << "shape " << i;
        }
    }
}

// --- import paths ---------------------------------------------------------------

TEST(ChainImportPathsTest, EndsMeetWhenTheyRoundToTheSamePoint) {
    CDrawingModel model;
    model.ImportPaths() = {LinePath({0, 50}, {100.2f, 50}), LinePath({100.4f, 50}, {200, 0})};
    ChainImportPaths(model);
    ASSERT_EQ(model.Objects().size(), 1u);
    // One figure: the second piece continues the first.
    const Path& path = model.Objects()[0].GetPath();
    EXPECT_EQ(path.PointCount(), 4);
    EXPECT_EQ(std::count(path.Types().begin(), path.Types().end(), PathPointType::Start), 1);
}

TEST(ChainImportPathsTest, PieceEndingWhereItStartsStaysAlone) {
    CDrawingModel model;
    Path circle;
    circle.AddEllipse(0, -10, 20, 20);  // starts and ends at (20, 0)
    model.ImportPaths() = {std::move(circle), LinePath({20, 0}, {40, 0}),
                           LinePath({40, 0}, {20.3f, 0})};
    ChainImportPaths(model);
    ASSERT_EQ(model.Objects().size(), 2u);
    EXPECT_EQ(model.Objects()[0].GetPath().PointCount(), 13);
}

TEST(ChainImportPathsTest, EndsThatRoundApartDoNotMeet) {
    CDrawingModel model;
    model.ImportPaths() = {LinePath({0, 50}, {100.4f, 50}), LinePath({100.5f, 50}, {200, 0})};
    ChainImportPaths(model);
    EXPECT_EQ(model.Objects().size(), 2u);
}

TEST(ChainImportPathsTest, ReversesPiecesInTheImportList) {
    CDrawingModel model;
    model.ImportPaths() = {LinePath({0, 0}, {10, 0}), LinePath({0, 10}, {10, 0}),
                           LinePath({0, 10}, {0, 0})};
    ChainImportPaths(model);
    ASSERT_EQ(model.Objects().size(), 1u);
    // The third piece went in front as it was, the second reversed at the
    // back: the chain runs from (0, 10) round to (0, 10), each joint twice.
    EXPECT_EQ(model.Objects()[0].GetPath().Points(),
              (std::vector<PointF>{{0, 10}, {0, 0}, {0, 0}, {10, 0}, {10, 0}, {0, 10}}));
    // The pieces moved into the object; the list keeps one empty entry each.
    ASSERT_EQ(model.ImportPaths().size(), 3u);
    for (const Path& piece : model.ImportPaths()) EXPECT_TRUE(piece.IsEmpty());
}

std::vector<Path> RandomPaths(std::mt19937& random, int count) {
    // Values on both sides of the rounding steps, below zero too.
    const std::vector<float> values{100.2f, 100.4f, 100.5f, 99.5f, -0.5f, -1.3f, -1.7f, 0.49f};
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    std::uniform_int_distribution<int> shape(0, 7);
    std::vector<Path> paths;
    for (int i = 0; i < count; ++i) {
        const PointF a{values[pick(random)], values[pick(random)] / 50};
        const PointF b{values[pick(random)], values[pick(random)] / 50};
        const int s = shape(random);
        Path path;
        if (s == 1) {
            path.AddArc(a.x, a.y, 30, 20, 0, 90);
        } else if (s == 2) {
            const std::vector<PointF> points{a, {a.x + 3, a.y + 4}, b};
            path.AddLines(points);
        } else if (s != 0) {
            path.AddLine(a, b);
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

TEST(ChainImportPathsTest, GivesTheChainsOfTheRescanningProcedure) {
    std::mt19937 random(77);
    for (int round = 0; round < 600; ++round) {
        std::vector<Path> paths = RandomPaths(random, 1 + round % 40);
        std::vector<Path> reference = paths;
        const auto chains = RescanPaths(reference);

        CDrawingModel model;
        model.ImportPaths() = paths;
        ChainImportPaths(model);

        SCOPED_TRACE(round);
        ExpectObjects(model, ExpectedObjectPaths(chains, reference));
    }
}

TEST(ChainImportPathsTest, ShuffledSquaresChainAsTheRescanDoes) {
    // Many pieces: squares cut into sides, sides shuffled and some reversed.
    std::mt19937 random(5);
    std::vector<Path> paths;
    for (int i = 0; i < 600; ++i) {
        const float x = static_cast<float>(i % 30) * 20;
        const float y = static_cast<float>(i / 30) * 20;
        const PointF corners[] = {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}};
        for (int side = 0; side < 4; ++side) {
            PointF from = corners[side];
            PointF to = corners[(side + 1) % 4];
            if (random() % 2) std::swap(from, to);
            paths.push_back(LinePath(from, to));
        }
    }
    std::shuffle(paths.begin(), paths.end(), random);
    std::vector<Path> reference = paths;
    const auto chains = RescanPaths(reference);
    EXPECT_EQ(chains.size(), 600u);

    CDrawingModel model;
    model.ImportPaths() = paths;
    ChainImportPaths(model);
    ExpectObjects(model, ExpectedObjectPaths(chains, reference));
}

}  // namespace
}  // namespace velora
