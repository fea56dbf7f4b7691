// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_geometry.h"

#include "dxf_test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora {
namespace {

using dxftest::DistanceFrom;
using dxftest::DistinctPoints;
using dxftest::Groups;
using dxftest::InEntities;
using dxftest::Read;

// Flattening stays within 0.01 of the true curve and the Bezier arcs within
// a few parts in ten thousand of the radius.
constexpr double kTolerance = 0.1;

Path ReadOne(const std::string& entities) {
    std::vector<Path> paths = Read(InEntities(entities));
    EXPECT_EQ(paths.size(), 1u);
    return paths.empty() ? Path() : std::move(paths.front());
}

void ExpectOnCircle(const Path& path, double x, double y, double radius,
                    double tolerance = kTolerance) {
    ASSERT_FALSE(path.IsEmpty());
    for (PointF p : path.Points()) {
        EXPECT_NEAR(DistanceFrom(p, x, y), radius, tolerance) << p.x << ", " << p.y;
    }
}

void ExpectPoint(PointF actual, double x, double y, double tolerance = kTolerance) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
}

// A bulge arc in DXF units, flattened finely enough to measure.
Path BulgeArc(PointF from, PointF to, double bulge) {
    Path path;
    AppendBulgeArc(path, from, to, bulge);
    path.Flatten(nullptr, 1e-4f);
    return path;
}

double MinY(const Path& path) {
    return std::min_element(path.Points().begin(), path.Points().end(),
                            [](PointF a, PointF b) { return a.y < b.y; })
        ->y;
}

double MaxY(const Path& path) {
    return std::max_element(path.Points().begin(), path.Points().end(),
                            [](PointF a, PointF b) { return a.y < b.y; })
        ->y;
}

std::string Polyline(std::initializer_list<std::string_view> groups) {
    std::string text = Groups({"0", "LWPOLYLINE"});
    for (std::string_view group : groups) (text += group) += '\n';
    return text;
}

TEST(DxfGeometryTest, ArcRunsCounterClockwiseFromStartToEndAngle) {
    // 350 to 10 degrees crosses zero: a sweep of 20, not -340.
    const Path wrapped =
        ReadOne(Groups({"0", "ARC", "10", "0", "20", "0", "40", "1", "50", "350", "51", "10"}));
    ExpectOnCircle(wrapped, 0, 0, 100);
    const double rad = std::numbers::pi / 18;
    ExpectPoint(*wrapped.FirstPoint(), 100 * std::cos(rad), -100 * std::sin(rad));
    ExpectPoint(*wrapped.LastPoint(), 100 * std::cos(rad), 100 * std::sin(rad));
    for (PointF p : wrapped.Points()) EXPECT_GT(p.x, 98);

    const Path quarter =
        ReadOne(Groups({"0", "ARC", "10", "2", "20", "1", "40", "0.5", "50", "0", "51", "90"}));
    ExpectOnCircle(quarter, 200, 100, 50);
    ExpectPoint(*quarter.FirstPoint(), 250, 100);
    ExpectPoint(*quarter.LastPoint(), 200, 150);
    for (PointF p : quarter.Points()) {
        EXPECT_GE(p.x, 200 - kTolerance);
        EXPECT_GE(p.y, 100 - kTolerance);
    }
}

TEST(DxfGeometryTest, CircleIsTheFullCircleAroundItsCentre) {
    const Path circle = ReadOne(Groups({"0", "CIRCLE", "10", "2", "20", "-3", "40", "1.5"}));
    ExpectOnCircle(circle, 200, -300, 150);
    const RectF bounds = circle.WorldBounds();
    EXPECT_NEAR(bounds.x, 50, kTolerance);
    EXPECT_NEAR(bounds.y, -450, kTolerance);
    EXPECT_NEAR(bounds.width, 300, kTolerance);
    EXPECT_NEAR(bounds.height, 300, kTolerance);
    EXPECT_GT(circle.PointCount(), 16);  // flattened, not four Bezier segments
    EXPECT_TRUE(std::none_of(circle.Types().begin(), circle.Types().end(), [](uint8_t t) {
        return (t & PathPointType::TypeMask) == PathPointType::Bezier;
    }));
}

TEST(DxfGeometryTest, CirclesAndArcsWithoutPositiveRadiusHaveNoOutline) {
    const std::string text =
        InEntities(Groups({"0", "CIRCLE", "10", "1", "20", "1", "40", "0"}) +
                   Groups({"0", "CIRCLE", "10", "1", "20", "1", "40", "-2"}) +
                   Groups({"0", "CIRCLE", "10", "1", "20", "1"}) +
                   Groups({"0", "ARC", "10", "1", "20", "1", "40", "0", "50", "0", "51", "90"}) +
                   Groups({"0", "ARC", "10", "1", "20", "1", "40", "-1", "50", "0", "51", "90"}));
    EXPECT_TRUE(Read(text).empty());
}

TEST(DxfGeometryTest, PolylineClosedByBitOneOfItsFlags) {
    const auto square = [](const char* flags) {
        return Polyline({"70", flags, "10", "0", "20", "0", "10", "1", "20", "0", "10", "1", "20",
                         "1", "10", "0", "20", "1"});
    };
    EXPECT_EQ(DistinctPoints(ReadOne(square("1"))),
              (std::vector<PointF>{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_EQ(DistinctPoints(ReadOne(square("129"))),
              (std::vector<PointF>{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_EQ(DistinctPoints(ReadOne(square("0"))).size(), 4u);
}

TEST(DxfGeometryTest, PositiveUnitBulgeIsTheHalfCircleBelowTheChord) {
    // Counter-clockwise from (0, 0) to (2, 0) with y up passes below.
    const Path arc = ReadOne(Polyline({"10", "0", "20", "0", "42", "1", "10", "2", "20", "0"}));
    ExpectOnCircle(arc, 100, 0, 100);
    ExpectPoint(*arc.FirstPoint(), 0, 0);
    ExpectPoint(*arc.LastPoint(), 200, 0);
    EXPECT_NEAR(MinY(arc), -100, kTolerance);
    EXPECT_LE(MaxY(arc), kTolerance);
}

TEST(DxfGeometryTest, NegativeUnitBulgeIsTheHalfCircleAboveTheChord) {
    const Path arc = ReadOne(Polyline({"10", "0", "20", "0", "42", "-1", "10", "2", "20", "0"}));
    ExpectOnCircle(arc, 100, 0, 100);
    ExpectPoint(*arc.FirstPoint(), 0, 0);
    ExpectPoint(*arc.LastPoint(), 200, 0);
    EXPECT_NEAR(MaxY(arc), 100, kTolerance);
    EXPECT_GE(MinY(arc), -kTolerance);
}

TEST(DxfGeometryTest, SmallAndLargeBulgesFindTheirCentreAndSide) {
    // Bulge 0.5 over a chord of 2: included angle 4 atan 0.5, radius 1.25,
    // centre 0.75 above the chord, arc height 0.5 below it.
    const Path small = ReadOne(Polyline({"10", "0", "20", "0", "42", "0.5", "10", "2", "20", "0"}));
    ExpectOnCircle(small, 100, 75, 125);
    EXPECT_NEAR(MinY(small), -50, kTolerance);
    EXPECT_LE(MaxY(small), kTolerance);
    ExpectPoint(*small.LastPoint(), 200, 0);

    // Bulge -2: the same circle, clockwise over its top: three quarters and
    // more of it, reaching 2 above the chord.
    const Path large = ReadOne(Polyline({"10", "0", "20", "0", "42", "-2", "10", "2", "20", "0"}));
    ExpectOnCircle(large, 100, 75, 125);
    EXPECT_NEAR(MaxY(large), 200, kTolerance);
    EXPECT_NEAR(MinY(large), 0, kTolerance);
    ExpectPoint(*large.FirstPoint(), 0, 0);
    ExpectPoint(*large.LastPoint(), 200, 0);
    // Leaving (0, 0) clockwise with y up means going up and to the left.
    const PointF second = DistinctPoints(large)[1];
    EXPECT_GT(second.y, 0);
    EXPECT_LT(second.x, 0);
}

TEST(DxfGeometryTest, BulgeArcFollowsAnyChordDirection) {
    constexpr double kFine = 1e-3;
    // Counter-clockwise from (1, 1) up to (1, 3) passes right of the chord.
    const Path arc = BulgeArc({1, 1}, {1, 3}, 1.0);
    ExpectOnCircle(arc, 1, 2, 1, kFine);
    const RectF bounds = arc.WorldBounds();
    EXPECT_NEAR(bounds.x, 1, kFine);
    EXPECT_NEAR(bounds.x + bounds.width, 2, kFine);

    // Clockwise a quarter circle from (0, 1) to (1, 0) around the origin.
    const Path quarter = BulgeArc({0, 1}, {1, 0}, -std::tan(std::numbers::pi / 8));
    ExpectOnCircle(quarter, 0, 0, 1, kFine);
    ExpectPoint(*quarter.FirstPoint(), 0, 1, kFine);
    ExpectPoint(*quarter.LastPoint(), 1, 0, kFine);
    for (PointF p : quarter.Points()) {
        EXPECT_GE(p.x, -kFine);
        EXPECT_GE(p.y, -kFine);
    }
}

TEST(DxfGeometryTest, FlatOrEmptyBulgesGiveChordsOrNothing) {
    Path zero;
    AppendBulgeArc(zero, {0, 0}, {5, 0}, 0.0);
    EXPECT_EQ(DistinctPoints(zero), (std::vector<PointF>{{0, 0}, {5, 0}}));

    // Far too flat for float coordinates to show.
    Path flat;
    AppendBulgeArc(flat, {0, 0}, {5, 0}, 1e-12);
    EXPECT_EQ(DistinctPoints(flat), (std::vector<PointF>{{0, 0}, {5, 0}}));

    Path same;
    AppendBulgeArc(same, {2, 2}, {2, 2}, 1.0);
    EXPECT_TRUE(same.IsEmpty());
}

TEST(DxfGeometryTest, BulgeArcsJoinThePolylineSegments) {
    // A slot: bottom line, right half circle, top line, left half circle.
    const Path slot =
        ReadOne(Polyline({"70", "1",  "10", "0",  "20", "0",  "10", "4",  "20", "0",  "42",
                          "1",  "10", "4",  "20", "2",  "10", "0",  "20", "2",  "42", "1"}));
    ExpectPoint(*slot.FirstPoint(), 0, 0);
    ExpectPoint(*slot.LastPoint(), 0, 0);
    const RectF bounds = slot.WorldBounds();
    EXPECT_NEAR(bounds.x, -100, kTolerance);
    EXPECT_NEAR(bounds.width, 600, kTolerance);
    EXPECT_NEAR(bounds.height, 200, kTolerance);
    // One figure: the arcs continue the lines.
    EXPECT_EQ(std::count(slot.Types().begin(), slot.Types().end(), PathPointType::Start), 1);
}

TEST(DxfGeometryTest, BulgeRecordsWithoutBothVerticesAreIgnored) {
    // Before the first vertex, and after the last one.
    EXPECT_EQ(DistinctPoints(ReadOne(
                  Polyline({"42", "0.5", "10", "0", "20", "0", "10", "1", "20", "0", "42", "1"}))),
              (std::vector<PointF>{{0, 0}, {100, 0}}));
    // A closed polyline with a leading bulge still closes on its first vertex.
    EXPECT_EQ(DistinctPoints(ReadOne(Polyline({"42", "1", "70", "1", "10", "0", "20", "0", "10",
                                               "1", "20", "0", "10", "1", "20", "1"}))),
              (std::vector<PointF>{{0, 0}, {100, 0}, {100, 100}, {0, 0}}));
    // Only bulges, or a single vertex: no outline.
    EXPECT_TRUE(Read(InEntities(Polyline({"42", "1", "42", "2"}))).empty());
    EXPECT_TRUE(Read(InEntities(Polyline({"10", "1", "20", "1", "42", "1"}))).empty());
}

}  // namespace
}  // namespace velora
