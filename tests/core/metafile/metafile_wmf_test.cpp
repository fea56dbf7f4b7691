// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_wmf.h"
#include "core/common/errors.h"
#include "core/metafile/metafile_bytes.h"
#include "core/metafile/metafile_emf.h"
#include "core/metafile/metafile_reader.h"
#include "metafile_test_builder.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::MetafileErrorCode;
using test::Points;
using test::WmfBuilder;

// Type and first u32 after the size of every record of the conversion.
std::vector<std::pair<uint32_t, uint32_t>> RecordTrace(const QByteArray& wmf) {
    std::vector<std::pair<uint32_t, uint32_t>> trace;
    EmfDocument(ConvertPlaceableWmf(wmf)).ForEachRecord([&trace](const EmfRecord& record) {
        trace.emplace_back(record.type, LittleEndianBytes(record.bytes).U32(8));
    });
    return trace;
}

TEST(MetafileWmfTest, ShapesBecomeTheRecordsOfTheSystemConversion) {
    const QByteArray wmf =
        WmfBuilder()
            .Rectangle(10, 20, 50, 40)
            .Ellipse(100, 300, 0, 200)  // corners given the other way round
            .Polygon({{0, 0}, {10, 0}, {10, 10}})
            .Polyline({{-3, -4}, {5, 6}})
            .PolyPolygon({{{0, 0}, {2, 0}, {2, 2}}, {{7, 7}, {9, 7}, {9, 9}, {7, 9}}})
            .Build();
    const auto records = ReadMetafileRecords(wmf);
    ASSERT_EQ(records.size(), 5u);
    // Boxes are ordered and, in the compatible graphics mode, made inclusive.
    EXPECT_EQ(records[0], (MetafileRecord{43, {{10, 20}, {49, 39}}, {}}));
    EXPECT_EQ(records[1], (MetafileRecord{42, {{0, 200}, {99, 299}}, {}}));
    EXPECT_EQ(records[2], (MetafileRecord{86, {{0, 0}, {10, 0}, {10, 10}}, {}}));
    EXPECT_EQ(records[3], (MetafileRecord{87, {{-3, -4}, {5, 6}}, {}}));
    EXPECT_EQ(
        records[4],
        (MetafileRecord{91, {{0, 0}, {2, 0}, {2, 2}, {7, 7}, {9, 7}, {9, 9}, {7, 9}}, {3, 4}}));
}

TEST(MetafileWmfTest, TheRecorderDropsWhatItCannotDraw) {
    const QByteArray wmf = WmfBuilder()
                               .Rectangle(5, 5, 5, 20)              // no width
                               .Ellipse(0, 7, 30, 7)                // no height
                               .Polygon({{1, 1}})                   // a polygon needs two points
                               .Polyline({{4, 4}})                  // a polyline is recorded anyway
                               .Record(0x041C, {0, 0, 9, 9, 1, 1})  // round rectangle: not kept
                               .Record(0x0830, {0, 0, 0, 0, 9, 9, 0, 0})  // chord: not kept
                               .Record(0x081A, {0, 0, 0, 0, 9, 9, 0, 0})  // pie: not kept
                               .Record(0x0213, {5, 5})                    // line to: not kept
                               .Build();
    const auto records = ReadMetafileRecords(wmf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], (MetafileRecord{87, {{4, 4}}, {}}));
}

TEST(MetafileWmfTest, PolyPolygonWithANegativeCountIsSkipped) {
    const Points square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const QByteArray wmf =
        WmfBuilder().PolyPolygon({square}, {-4}).PolyPolygon({square}, {1, 3}).Build();
    const auto records = ReadMetafileRecords(wmf);
    // Polygons of one point are still recorded, as the recorder does.
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].polygonSizes, (std::vector<uint32_t>{1, 3}));
}

TEST(MetafileWmfTest, RecordsWhoseCountsLieAreSkipped) {
    QByteArray lyingPolygon;
    test::PutU32(lyingPolygon, 6);  // 3 words of header, count and one point
    test::PutU16(lyingPolygon, 0x0324);
    test::PutU16(lyingPolygon, 2);  // claims two points
    test::PutU16(lyingPolygon, 1);
    test::PutU16(lyingPolygon, 1);
    QByteArray shortRectangle;
    test::PutU32(shortRectangle, 5);
    test::PutU16(shortRectangle, 0x041B);
    test::PutU16(shortRectangle, 1);
    test::PutU16(shortRectangle, 2);
    const QByteArray wmf =
        WmfBuilder().Raw(lyingPolygon).Raw(shortRectangle).Rectangle(0, 0, 3, 3).Build();
    const auto records = ReadMetafileRecords(wmf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].points[1], QPoint(2, 2));
}

TEST(MetafileWmfTest, PlaybackEndsAtTheEndRecordAtTinyRecordsAndAtRecordsPastTheEnd) {
    QByteArray endRecord;
    test::PutU32(endRecord, 3);
    test::PutU16(endRecord, 0);
    QByteArray tiny;
    test::PutU32(tiny, 2);
    test::PutU16(tiny, 0x041B);
    QByteArray pastTheEnd;
    test::PutU32(pastTheEnd, 0x10000);
    test::PutU16(pastTheEnd, 0x041B);
    for (const QByteArray& stopper : {endRecord, tiny, pastTheEnd}) {
        const QByteArray wmf =
            WmfBuilder().Rectangle(0, 0, 4, 4).Raw(stopper).Rectangle(8, 8, 9, 9).Build();
        EXPECT_EQ(ReadMetafileRecords(wmf).size(), 1u);
    }
}

TEST(MetafileWmfTest, HeaderFailuresRaiseTheirCodes) {
    const QByteArray good = WmfBuilder().Rectangle(0, 0, 4, 4).Build();
    ASSERT_EQ(MetafileErrorCode(good), 0);

    EXPECT_EQ(MetafileErrorCode(good.first(4)), 3);   // key only
    EXPECT_EQ(MetafileErrorCode(good.first(39)), 3);  // header one byte short

    QByteArray huge = good;
    test::SetU32(huge, 22 + 6, 0x80000000);  // 4 GiB
    EXPECT_EQ(MetafileErrorCode(huge), 4);

    QByteArray truncated = good;
    truncated.chop(2);
    EXPECT_EQ(MetafileErrorCode(truncated), 6);

    QByteArray wrongType = good;
    wrongType[22] = 2;
    EXPECT_EQ(MetafileErrorCode(wrongType), 7);

    QByteArray wrongHeaderSize = good;
    wrongHeaderSize[24] = 8;
    EXPECT_EQ(MetafileErrorCode(wrongHeaderSize), 7);

    EXPECT_EQ(MetafileErrorCode(WmfBuilder().Version(0x0200).Build()), 7);
    EXPECT_EQ(MetafileErrorCode(WmfBuilder().Version(0x0100).Build()), 0);

    QByteArray tooSmall = good;
    test::SetU32(tooSmall, 22 + 6, 4);  // 8 bytes: less than its own header
    EXPECT_EQ(MetafileErrorCode(tooSmall), 7);
}

TEST(MetafileWmfTest, ASizeShorterThanTheFileLimitsTheRecordsRead) {
    QByteArray wmf = WmfBuilder().Rectangle(0, 0, 4, 4).Rectangle(5, 5, 9, 9).Build();
    // Declare only the header and the first rectangle (7 words each way).
    test::SetU32(wmf, 22 + 6, 9 + 7);
    const auto records = ReadMetafileRecords(wmf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].points[0], QPoint(0, 0));
}

TEST(MetafileWmfTest, PensAndBrushesAreWrittenWhenFirstSelectedAndFreedSlotsReused) {
    const QByteArray wmf = WmfBuilder()
                               .CreatePen(0, 3, 0x0000FF)  // WMF slot 0
                               .CreateBrush(0, 0x00FF00)   // WMF slot 1
                               .Select(1)
                               .Select(0)
                               .Select(1)  // already written: selected again only
                               .Delete(1)
                               .CreateBrush(1, 0)  // takes WMF slot 1 again
                               .Select(1)          // takes the freed EMF slot 1
                               .Select(5)          // empty slot: nothing
                               .Build();
    const std::vector<std::pair<uint32_t, uint32_t>> expected{
        {emr::kHeader, 0},       {emr::kCreateBrushIndirect, 1}, {emr::kSelectObject, 1},
        {emr::kCreatePen, 2},    {emr::kSelectObject, 2},        {emr::kSelectObject, 1},
        {emr::kDeleteObject, 1}, {emr::kCreateBrushIndirect, 1}, {emr::kSelectObject, 1},
        {emr::kEof, 0}};
    const auto trace = RecordTrace(wmf);
    ASSERT_EQ(trace.size(), expected.size());
    for (size_t i = 1; i < expected.size(); ++i) EXPECT_EQ(trace[i], expected[i]) << i;
}

TEST(MetafileWmfTest, ObjectsBeyondTheHandleTableAreLost) {
    const QByteArray wmf =
        WmfBuilder().Objects(1).CreatePen(0, 1, 0).CreateBrush(0, 0).Select(0).Select(1).Build();
    const auto trace = RecordTrace(wmf);
    ASSERT_EQ(trace.size(), 4u);  // header, pen, select, end
    EXPECT_EQ(trace[1].first, emr::kCreatePen);
    EXPECT_EQ(trace[2].first, emr::kSelectObject);
}

TEST(MetafileWmfTest, TheFrameIsThePlaceableBoxAtItsUnitsPerInch) {
    const EmfDocument emf(ConvertPlaceableWmf(WmfBuilder().Box(100, 50, -900, 1050, 2000).Build()));
    // 1000 x 1000 units at 2000 per inch is half an inch: 1270 hundredths of
    // a mm, from the box's corner (-900, 50) units = (-1143, 63) hundredths.
    EXPECT_EQ(emf.Frame(), (EmfRect{-1143, 63, 127, 1333}));
    EXPECT_EQ(emf.Bounds(), (EmfRect{-900, 50, 100, 1050}));
    // A reference device of 2000 pixels per inch: one unit is one pixel.
    EXPECT_NEAR(double(emf.DevicePixels().width()) / emf.DeviceMillimetres().width(), 2000 / 25.4,
                1e-9);
    EXPECT_EQ(emf.DevicePixels().width() * emf.DeviceMillimetres().height(),
              emf.DevicePixels().height() * emf.DeviceMillimetres().width());

    // Without units per inch there is no frame and no device.
    const EmfDocument bare(ConvertPlaceableWmf(WmfBuilder().Box(0, 0, 100, 100, 0).Build()));
    EXPECT_EQ(bare.Frame(), (EmfRect{0, 0, 0, 0}));
    EXPECT_EQ(bare.DevicePixels(), QSize(0, 0));
}

}  // namespace
}  // namespace velora
