// SPDX-License-Identifier: GPL-3.0-or-later
// The entity kinds beyond lines, arcs, circles and light polylines, and the
// placing of blocks, each compared with the bounds worked out by hand (in
// DXF units; the reader works at 100 times them).
#include "core/common/errors.h"
#include "core/import/dxf_reader.h"

#include "dxf_test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora {
namespace {

using dxftest::Groups;
using dxftest::InEntities;
using dxftest::LayerTable;
using dxftest::Number;

struct Box {
    double x, y, width, height;
};

struct Case {
    const char* name;
    std::string text;  // a whole file, or entities to wrap
    std::vector<Box> expected;
    std::vector<std::pair<QString, int>> leftOut = {};
};

// Within this many DXF units: the flattening stays within 0.0001.
constexpr double kTolerance = 0.002;

std::string Whole(const std::string& text) {
    return text.starts_with("0\nSECTION") ? text : InEntities(text);
}

void ExpectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = Whole(c.text);
        EntityTally leftOut;
        const std::vector<Path> paths =
            ReadDxfPaths(QByteArrayView(text.data(), qsizetype(text.size())), &leftOut);
        ASSERT_EQ(paths.size(), c.expected.size());
        for (size_t i = 0; i < paths.size(); ++i) {
            const RectF b = paths[i].WorldBounds();
            const Box& e = c.expected[i];
            EXPECT_NEAR(b.x / 100, e.x, kTolerance) << "path " << i;
            EXPECT_NEAR(b.y / 100, e.y, kTolerance) << "path " << i;
            EXPECT_NEAR(b.width / 100, e.width, kTolerance) << "path " << i;
            EXPECT_NEAR(b.height / 100, e.height, kTolerance) << "path " << i;
        }
        EXPECT_EQ(leftOut.Counts(), c.leftOut);
    }
}

std::string Ellipse(double cx, double cy, double mx, double my, double ratio,
                    std::initializer_list<std::string_view> more = {}) {
    std::string text = Groups({"0", "ELLIPSE", "10", Number(cx), "20", Number(cy), "11", Number(mx),
                               "21", Number(my), "40", Number(ratio)});
    for (std::string_view group : more) (text += group) += '\n';
    return text;
}

std::string Params(double from, double to) {
    return Groups({"41", Number(from), "42", Number(to)});
}

TEST(DxfEntitiesTest, Ellipses) {
    const double pi = std::numbers::pi, half = std::sqrt(0.5);
    const double tilted = std::sqrt(2.5);  // half width of a 2 by 1 ellipse at 45 degrees
    ExpectCases({
        {"whole", Ellipse(1, 2, 3, 0, 0.5), {{-2, 0.5, 6, 3}}},
        {"upright", Ellipse(1, 2, 0, 2, 0.5), {{0, 0, 2, 4}}},
        {"tilted",
         Ellipse(0, 0, 2 * half, 2 * half, 0.5),
         {{-tilted, -tilted, 2 * tilted, 2 * tilted}}},
        {"upper half", Ellipse(0, 0, 2, 0, 0.5) + Params(0, pi), {{-2, 0, 4, 1}}},
        {"quarter", Ellipse(0, 0, 2, 0, 0.5) + Params(0, pi / 2), {{0, 0, 2, 1}}},
        {"across zero", Ellipse(0, 0, 2, 0, 0.5) + Params(1.5 * pi, 0.5 * pi), {{0, -1, 2, 2}}},
        {"mirrored plane",
         Ellipse(0, 0, 2, 0, 0.5, {"230", "-1"}) + Params(0, pi / 2),
         {{0, -1, 2, 1}}},
        {"no axis", Ellipse(0, 0, 0, 0, 0.5), {}},
    });
}

std::string Spline(int degree, std::vector<std::pair<double, double>> controls,
                   std::vector<double> knots, std::vector<double> weights = {}) {
    std::string text = Groups({"0", "SPLINE", "71", std::to_string(degree)});
    for (double k : knots) text += Groups({"40", Number(k)});
    for (size_t i = 0; i < controls.size(); ++i) {
        text += Groups({"10", Number(controls[i].first), "20", Number(controls[i].second)});
        if (i < weights.size()) text += Groups({"41", Number(weights[i])});
    }
    return text;
}

TEST(DxfEntitiesTest, Splines) {
    const std::vector<std::pair<double, double>> arch{{0, 0}, {1, 2}, {3, 2}, {4, 0}};
    ExpectCases({
        // A cubic with one span is its Bezier curve, peaking at 1.5.
        {"clamped cubic", Spline(3, arch, {0, 0, 0, 0, 1, 1, 1, 1}), {{0, 0, 4, 1.5}}},
        {"missing knots", Spline(3, arch, {}), {{0, 0, 4, 1.5}}},
        {"quadratic", Spline(2, {{0, 0}, {1, 2}, {2, 0}}, {0, 0, 0, 1, 1, 1}), {{0, 0, 2, 1}}},
        // The same cubic raised to degree 4.
        {"quartic",
         Spline(4, {{0, 0}, {0.75, 1.5}, {2, 2}, {3.25, 1.5}, {4, 0}},
                {0, 0, 0, 0, 0, 1, 1, 1, 1, 1}),
         {{0, 0, 4, 1.5}}},
        // Uniform knots: the curve runs from (P0 + 4 P1 + P2) / 6 to
        // (P1 + 4 P2 + P3) / 6, peaking at (P0 + 23 P1 + 23 P2 + P3) / 48.
        {"unclamped",
         Spline(3, arch, {0, 1, 2, 3, 4, 5, 6, 7}),
         {{7.0 / 6, 10.0 / 6, 10.0 / 6, 92.0 / 48 - 10.0 / 6}}},
        {"straight", Spline(1, {{0, 0}, {3, 0}, {3, 1}}, {0, 0, 1, 2, 2}), {{0, 0, 3, 1}}},
        // A rational quadratic that is exactly a quarter of the unit circle.
        {"rational",
         Spline(2, {{1, 0}, {1, 1}, {0, 1}}, {0, 0, 0, 1, 1, 1}, {1, std::sqrt(0.5), 1}),
         {{0, 0, 1, 1}}},
        {"through fit points",
         Groups({"0", "SPLINE", "11", "0", "21", "0", "11", "1", "21", "1", "11", "2", "21", "0"}),
         {{0, 0, 2, 1}}},
        {"one point", Groups({"0", "SPLINE", "10", "1", "20", "1"}), {}},
    });
}

TEST(DxfEntitiesTest, RationalSplineStaysOnItsCircle) {
    const std::string text =
        InEntities(Spline(2, {{1, 0}, {1, 1}, {0, 1}}, {0, 0, 0, 1, 1, 1}, {1, std::sqrt(0.5), 1}));
    const std::vector<Path> paths = dxftest::Read(text);
    ASSERT_EQ(paths.size(), 1u);
    for (PointF p : paths[0].Points()) EXPECT_NEAR(std::hypot(p.x, p.y), 100, 0.02);
}

std::string Vertex(double x, double y, std::initializer_list<std::string_view> more = {}) {
    std::string text = Groups({"0", "VERTEX", "8", "other", "10", Number(x), "20", Number(y)});
    for (std::string_view group : more) (text += group) += '\n';
    return text;
}

std::string Polyline(int flags, const std::string& vertices,
                     std::initializer_list<std::string_view> more = {}) {
    std::string text = Groups({"0", "POLYLINE", "66", "1", "70", std::to_string(flags)});
    for (std::string_view group : more) (text += group) += '\n';
    return text + vertices + Groups({"0", "SEQEND"});
}

TEST(DxfEntitiesTest, OldStylePolylines) {
    ExpectCases({
        // A bulge of 1 runs counter-clockwise below the chord, then the
        // closing line comes back.
        {"bulge, closed", Polyline(1, Vertex(0, 0, {"42", "1"}) + Vertex(2, 0)), {{0, -1, 2, 1}}},
        {"3-D, flattened",
         Polyline(8, Vertex(0, 0, {"30", "5"}) + Vertex(1, 2, {"30", "-3"}) + Vertex(3, 1)),
         {{0, 0, 3, 2}}},
        {"spline frame left out",
         Polyline(
             4, Vertex(0, 0, {"70", "8"}) + Vertex(5, 5, {"70", "16"}) + Vertex(1, 0, {"70", "8"})),
         {{0, 0, 1, 0}}},
        {"mirrored plane",
         Polyline(0, Vertex(1, 0) + Vertex(2, 1), {"230", "-1"}),
         {{-2, 0, 1, 1}}},
        {"mesh",
         Polyline(16, Vertex(0, 0) + Vertex(1, 1)) + Polyline(64, Vertex(0, 0) + Vertex(1, 1)),
         {},
         {{"POLYLINE mesh", 2}}},
    });
}

std::string Hatch(const std::string& loops, int count) {
    return Groups({"0", "HATCH", "10", "0", "20", "0", "30", "0", "2", "SOLID", "70", "1", "71",
                   "0", "91", std::to_string(count)}) +
           loops + Groups({"75", "0", "76", "1", "98", "1", "10", "50", "20", "50"});
}

std::string PolylineLoop(std::vector<std::pair<double, double>> corners) {
    std::string text =
        Groups({"92", "2", "72", "0", "73", "1", "93", std::to_string(corners.size())});
    for (auto [x, y] : corners) text += Groups({"10", Number(x), "20", Number(y)});
    return text + Groups({"97", "0"});
}

std::string EdgeLoop(int edges, const std::string& text) {
    return Groups({"92", "1", "93", std::to_string(edges)}) + text + Groups({"97", "0"});
}

std::string LineEdge(double x1, double y1, double x2, double y2) {
    return Groups(
        {"72", "1", "10", Number(x1), "20", Number(y1), "11", Number(x2), "21", Number(y2)});
}

std::string ArcEdge(double cx, double cy, double r, double from, double to, bool ccw) {
    return Groups({"72", "2", "10", Number(cx), "20", Number(cy), "40", Number(r), "50",
                   Number(from), "51", Number(to), "73", ccw ? "1" : "0"});
}

TEST(DxfEntitiesTest, HatchBoundaries) {
    const std::string slot = LineEdge(0, 0, 2, 0) + ArcEdge(2, 1, 1, -90, 90, true) +
                             LineEdge(2, 2, 0, 2) + LineEdge(0, 2, 0, 0);
    ExpectCases({
        {"polyline", Hatch(PolylineLoop({{0, 0}, {2, 0}, {2, 2}, {0, 2}}), 1), {{0, 0, 2, 2}}},
        {"edges", Hatch(EdgeLoop(4, slot), 1), {{0, 0, 3, 2}}},
        // Stored as seen from below: 0 to 90 is the quarter below the x axis.
        {"clockwise arc", Hatch(EdgeLoop(1, ArcEdge(0, 0, 1, 0, 90, false)), 1), {{0, -1, 1, 1}}},
        {"elliptic arc",
         Hatch(EdgeLoop(1, Groups({"72", "3", "10", "0", "20", "0", "11", "2", "21", "0", "40",
                                   "0.5", "50", "0", "51", "360", "73", "1"})),
               1),
         {{-2, -1, 4, 2}}},
        {"spline edge",
         Hatch(EdgeLoop(2, Groups({"72", "4", "94", "3", "73", "0", "74", "0", "95", "8", "96", "4",
                                   "40", "0", "40", "0", "40", "0", "40", "0", "40", "1", "40", "1",
                                   "40", "1", "40", "1", "10", "0", "20", "0", "10", "1", "20", "2",
                                   "10", "3", "20", "2", "10", "4", "20", "0"}) +
                               LineEdge(4, 0, 0, 0)),
               1),
         {{0, 0, 4, 1.5}}},
        {"two loops",
         Hatch(PolylineLoop({{0, 0}, {4, 0}, {4, 4}, {0, 4}}) +
                   PolylineLoop({{1, 1}, {2, 1}, {2, 2}}),
               2),
         {{0, 0, 4, 4}, {1, 1, 1, 1}}},
    });
}

TEST(DxfEntitiesTest, SolidsTracesAndPoints) {
    ExpectCases({
        {"solid",
         Groups({"0", "SOLID", "10", "0", "20", "0", "11", "2", "21", "0", "12", "0", "22", "1",
                 "13", "2", "23", "1"}),
         {{0, 0, 2, 1}}},
        {"trace",
         Groups({"0", "TRACE", "10", "0", "20", "0", "11", "2", "21", "0", "12", "0", "22", "1",
                 "13", "2", "23", "1"}),
         {{0, 0, 2, 1}}},
        {"triangle",
         Groups({"0", "SOLID", "10", "0", "20", "0", "11", "2", "21", "0", "12", "1", "22", "3",
                 "13", "1", "23", "3"}),
         {{0, 0, 2, 3}}},
        {"point", Groups({"0", "POINT", "10", "1", "20", "1", "0", "POINT"}), {}, {{"POINT", 2}}},
        {"mirrored circle",
         Groups({"0", "CIRCLE", "10", "1", "20", "0", "40", "0.5", "230", "-1"}),
         {{-1.5, -0.5, 1, 1}}},
        {"paper space",
         Groups({"0", "CIRCLE", "67", "1", "10", "1", "20", "0", "40", "0.5"}),
         {},
         {{"in paper space", 1}}},
    });
}

// A 2 by 1 rectangle with its corner at the origin, on the given layer.
std::string Rectangle(const std::string& layer = "0") {
    return Groups({"0", "LWPOLYLINE", "8", layer, "70", "1",  "10", "0",  "20", "0",  "10",
                   "2", "20",         "0", "10",  "2",  "20", "1",  "10", "0",  "20", "1"});
}

std::string Block(const std::string& name, const std::string& entities, double baseX = 0,
                  double baseY = 0) {
    return Groups({"0", "BLOCK", "2", name, "10", Number(baseX), "20", Number(baseY)}) + entities +
           Groups({"0", "ENDBLK"});
}

std::string Insert(const std::string& block, std::initializer_list<std::string_view> groups = {}) {
    std::string text = Groups({"0", "INSERT", "2", block});
    for (std::string_view group : groups) (text += group) += '\n';
    return text;
}

// A whole file: layers, blocks, and entities.
std::string Drawing(const std::string& blocks, const std::string& entities) {
    return LayerTable({{"0", 7}, {"walls", 3}, {"hidden", -3}}) +
           Groups({"0", "SECTION", "2", "BLOCKS"}) + blocks + Groups({"0", "ENDSEC"}) +
           InEntities(entities);
}

TEST(DxfEntitiesTest, BlockReferences) {
    const std::string rect = Block("R", Rectangle());
    const std::string nested = rect + Block("C", Insert("r", {"10", "1", "41", "2", "42", "2"})) +
                               Block("D", Insert("C", {"41", "-1"}));
    ExpectCases({
        {"placed", Drawing(rect, Insert("R", {"10", "10", "20", "20"})), {{10, 20, 2, 1}}},
        {"base point", Drawing(Block("B", Rectangle(), 1, 1), Insert("B")), {{-1, -1, 2, 1}}},
        {"scaled", Drawing(rect, Insert("R", {"41", "2", "42", "3"})), {{0, 0, 4, 3}}},
        {"mirrored", Drawing(rect, Insert("R", {"41", "-1"})), {{-2, 0, 2, 1}}},
        {"turned", Drawing(rect, Insert("R", {"50", "90"})), {{-1, 0, 1, 2}}},
        {"array",
         Drawing(rect, Insert("R", {"70", "2", "71", "2", "44", "5", "45", "4"})),
         {{0, 0, 2, 1}, {5, 0, 2, 1}, {0, 4, 2, 1}, {5, 4, 2, 1}}},
        {"turned array",
         Drawing(rect, Insert("R", {"50", "90", "70", "2", "44", "5"})),
         {{-1, 0, 1, 2}, {-1, 5, 1, 2}}},
        {"array without spacing",
         Drawing(rect, Insert("R", {"70", "40", "71", "40"})),
         {{0, 0, 2, 1}}},
        {"nested", Drawing(nested, Insert("C", {"10", "10"})), {{11, 0, 4, 2}}},
        {"nested and mirrored", Drawing(nested, Insert("D")), {{-5, 0, 4, 2}}},
        {"only where placed", Drawing(nested, ""), {}},
        {"itself",
         Drawing(Block("S", Rectangle() + Insert("S", {"10", "5"})), Insert("S")),
         {{0, 0, 2, 1}},
         {{"INSERT of its own block", 1}}},
        {"through another",
         Drawing(Block("P", Insert("Q")) + Block("Q", Rectangle() + Insert("P")), Insert("P")),
         {{0, 0, 2, 1}},
         {{"INSERT of its own block", 1}}},
        {"missing", Drawing(rect, Insert("nowhere")), {}, {{"INSERT of a missing block", 1}}},
        {"left out per copy",
         Drawing(Block("T", Groups({"0", "TEXT", "1", "x"}) + Rectangle()),
                 Insert("T", {"70", "3", "44", "5"})),
         {{0, 0, 2, 1}, {5, 0, 2, 1}, {10, 0, 2, 1}},
         {{"TEXT", 3}}},
    });
}

// Layer "0" in a block stands for the layer of the reference; other layers
// keep their own switch.
TEST(DxfEntitiesTest, BlockLayers) {
    const std::string mixed = Block("M", Rectangle("0") + Groups({"0", "CIRCLE", "8", "walls", "10",
                                                                  "5", "20", "5", "40", "1"}));
    ExpectCases({
        {"on a layer switched on",
         Drawing(mixed, Insert("M", {"8", "walls"})),
         {{0, 0, 2, 1}, {4, 4, 2, 2}}},
        {"on a layer switched off",
         Drawing(mixed, Insert("M", {"8", "hidden"})),
         {{4, 4, 2, 2}},
         {{"on a layer switched off", 1}}},
        {"on no layer", Drawing(mixed, Insert("M")), {{0, 0, 2, 1}, {4, 4, 2, 2}}},
        {"nested under a switched-off layer",
         Drawing(mixed + Block("N", Insert("M")), Insert("N", {"8", "hidden"})),
         {{4, 4, 2, 2}},
         {{"on a layer switched off", 1}}},
        {"invisible reference", Drawing(mixed, Insert("M", {"60", "1"})), {}, {{"invisible", 1}}},
    });
}

TEST(DxfEntitiesTest, BlocksThatPlaceTooMuchAreRefused) {
    // Every level places the one below twice: 2^30 rectangles in all.
    std::string blocks = Block("L0", Rectangle());
    for (int level = 1; level <= 30; ++level) {
        blocks += Block("L" + std::to_string(level),
                        Insert("L" + std::to_string(level - 1), {"70", "2", "44", "3"}));
    }
    const std::string text = Drawing(blocks, Insert("L30"));
    const QByteArrayView bytes(text.data(), qsizetype(text.size()));
    EXPECT_THROW(ReadDxf(bytes), FormatError);
    // Within the limit the same blocks are placed in full.
    const std::string small = Drawing(blocks, Insert("L4"));
    EXPECT_EQ(ReadDxf(QByteArrayView(small.data(), qsizetype(small.size()))).paths.size(), 16u);
    EXPECT_THROW(ReadDxf(QByteArrayView(small.data(), qsizetype(small.size())), nullptr, 15),
                 FormatError);
}

TEST(DxfEntitiesTest, SectionStructureIsReported) {
    for (const auto& [text, sections] : std::vector<std::pair<std::string, bool>>{
             {InEntities(""), true},
             {"README\nThis is not a drawing.\n", false},
             {Groups({"0", "LINE", "10", "0", "11", "1"}), false},
             {"", false}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadDxf(QByteArrayView(text.data(), qsizetype(text.size()))).hasSections,
                  sections);
    }
}

}  // namespace
}  // namespace velora
