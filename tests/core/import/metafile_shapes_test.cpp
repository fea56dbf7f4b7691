// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/entity_tally.h"
#include "core/import/metafile_import.h"
#include "core/metafile/metafile_emf.h"
#include "core/model/drawing_model.h"
#include "metafile_test_builder.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

std::vector<ShapePoint> ShapePoints(const test::Points& points) {
    std::vector<ShapePoint> result;
    for (const QPoint& p : points) result.push_back({float(p.x()), float(p.y()), 0, 0.0});
    return result;
}

void ExpectShape(const CShape& shape, int kind, bool closed, const test::Points& points) {
    EXPECT_EQ(shape.GetKind(), kind);
    EXPECT_EQ(shape.IsClosed(), closed);
    EXPECT_EQ(shape.Points(), ShapePoints(points));
}

// What the import does not keep is counted by kind for the user: Bezier
// curves, pen lines, 32-bit polygons, text; the kept records and those that
// draw nothing are not counted.
TEST(MetafileShapesTest, DrawingRecordsLeftOutAreCountedByKind) {
    const QByteArray emf = test::EmfBuilder()
                               .Poly16(85, {{0, 0}, {1, 1}, {2, 0}, {3, 1}})
                               .Poly16(87, {{0, 0}, {3, 4}})
                               .Poly16(89, {{5, 5}})
                               .Poly32(3, {{0, 0}, {9, 0}, {9, 9}})
                               .Record(84, {0, 0, 0, 0})
                               .Poly16(88, {{1, 1}, {2, 2}, {3, 3}})
                               .Record(37, {1})
                               .Build();
    EntityTally leftOut;
    CountLeftOutRecords(EmfDocument(emf), leftOut);
    const std::vector<std::pair<QString, int>> expected{
        {"BEZIER", 2}, {"LINE", 1}, {"POLYGON", 1}, {"TEXT", 1}};
    EXPECT_EQ(leftOut.Counts(), expected);
}

TEST(MetafileShapesTest, EachRecordKindBecomesItsShape) {
    CDrawingModel model;
    const QByteArray emf = test::EmfBuilder()
                               .Ellipse(10, 20, 110, 70)
                               .Rectangle(50, 40, 10, 20)
                               .Poly16(86, {{0, 0}, {10, 0}, {10, 10}})
                               .Poly16(87, {{-1, -2}, {3, 4}, {5, 6}})
                               .Build();
    AddMetafileShapes(model, ReadMetafileRecords(emf));
    const auto& shapes = model.Shapes();
    ASSERT_EQ(shapes.size(), 4u);
    ExpectShape(shapes[0], kShapeEllipse, true, {{10, 20}, {110, 70}});
    ExpectShape(shapes[1], kShapeRectangle, true, {{50, 40}, {10, 20}});
    // The polygon's first point is not repeated at its end.
    ExpectShape(shapes[2], kShapePolygon, false, {{0, 0}, {10, 0}, {10, 10}});
    ExpectShape(shapes[3], kShapePolyline, false, {{-1, -2}, {3, 4}, {5, 6}});
}

TEST(MetafileShapesTest, APolyPolygonGivesOneClosedPolygonPerPolygonInOrder) {
    CDrawingModel model;
    const test::Points a{{0, 0}, {4, 0}, {4, 4}};
    const test::Points b{{10, 10}, {14, 10}, {14, 14}, {10, 14}};
    const test::Points c{{20, 0}, {22, 0}, {21, 3}, {20, 2}, {19, 1}};
    AddMetafileShapes(model,
                      ReadMetafileRecords(test::EmfBuilder().PolyPolygon16({a, b, c}).Build()));
    const auto& shapes = model.Shapes();
    ASSERT_EQ(shapes.size(), 3u);
    ExpectShape(shapes[0], kShapePolygon, true, a);
    ExpectShape(shapes[1], kShapePolygon, true, b);
    ExpectShape(shapes[2], kShapePolygon, true, c);
}

TEST(MetafileShapesTest, ShapesAreAppendedAfterExistingOnesThroughTheWorkShape) {
    CDrawingModel model;
    model.Shapes().push_back(CShape(kShapeLine, false, {{1, 1, 0, 0}, {2, 2, 0, 0}}));
    model.ShapeUnderConstruction() = CShape(kShapeArc, true, {{9, 9, 42, 0.5}});
    const test::Points open{{0, 0}, {1, 1}};
    AddMetafileShapes(model, {{emr::kPolyline16, open, {}}});
    ASSERT_EQ(model.Shapes().size(), 2u);
    EXPECT_EQ(model.Shapes()[0].GetKind(), kShapeLine);
    // The work shape was emptied before it was filled: no stale point, and
    // it now equals the copy appended.
    ExpectShape(model.Shapes()[1], kShapePolyline, false, open);
    ExpectShape(model.ShapeUnderConstruction(), kShapePolyline, false, open);
}

TEST(MetafileShapesTest, WindowsMetafileRecordsGiveTheSameShapesAsTheirEnhancedForm) {
    const test::Points triangle{{0, 0}, {30, 0}, {0, 40}};
    CDrawingModel fromWmf;
    AddMetafileShapes(fromWmf, ReadMetafileRecords(test::WmfBuilder()
                                                       .Rectangle(0, 0, 11, 21)
                                                       .Polygon(triangle)
                                                       .PolyPolygon({triangle, triangle})
                                                       .Build()));
    CDrawingModel fromEmf;
    AddMetafileShapes(fromEmf, ReadMetafileRecords(test::EmfBuilder()
                                                       .Rectangle(0, 0, 10, 20)
                                                       .Poly16(86, triangle)
                                                       .PolyPolygon16({triangle, triangle})
                                                       .Build()));
    ASSERT_EQ(fromWmf.Shapes().size(), 4u);
    ASSERT_EQ(fromEmf.Shapes().size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fromWmf.Shapes()[i].GetKind(), fromEmf.Shapes()[i].GetKind());
        EXPECT_EQ(fromWmf.Shapes()[i].IsClosed(), fromEmf.Shapes()[i].IsClosed());
        EXPECT_EQ(fromWmf.Shapes()[i].Points(), fromEmf.Shapes()[i].Points());
    }
}

}  // namespace
}  // namespace velora
