// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/errors.h"
#include "core/metafile/metafile_reader.h"
#include "metafile_test_builder.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::EmfBuilder;
using test::MetafileErrorCode;
using test::Points;

TEST(MetafileEmfTest, KeepsTheFiveRecordKindsWithTheirStoredCoordinates) {
    const QByteArray emf =
        EmfBuilder()
            .Ellipse(10, 20, 110, 70)
            .Rectangle(50, 40, 10, 20)
            .Poly16(86, {{0, 0}, {10, 0}, {10, -10}})
            .Poly16(87, {{-5, 3}, {7, 8}})
            .PolyPolygon16({{{0, 0}, {1, 0}, {1, 1}}, {{5, 5}, {6, 5}, {6, 6}, {5, 6}}})
            .Build();
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0], (MetafileRecord{42, {{10, 20}, {110, 70}}, {}}));
    // A rectangle stored with its corners swapped stays as stored.
    EXPECT_EQ(records[1], (MetafileRecord{43, {{50, 40}, {10, 20}}, {}}));
    EXPECT_EQ(records[2], (MetafileRecord{86, {{0, 0}, {10, 0}, {10, -10}}, {}}));
    EXPECT_EQ(records[3], (MetafileRecord{87, {{-5, 3}, {7, 8}}, {}}));
    EXPECT_EQ(
        records[4],
        (MetafileRecord{91, {{0, 0}, {1, 0}, {1, 1}, {5, 5}, {6, 5}, {6, 6}, {5, 6}}, {3, 4}}));
}

TEST(MetafileEmfTest, IgnoresEveryOtherRecordIncludingThirtyTwoBitPolygons) {
    const QByteArray emf = EmfBuilder()
                               .Poly32(3, {{0, 0}, {100000, 0}, {0, 100000}})
                               .Poly32(4, {{0, 0}, {1, 1}})
                               .Record(54, {5, 5})              // EMR_LINETO
                               .Record(44, {0, 0, 9, 9, 2, 2})  // EMR_ROUNDRECT
                               .Record(38, {1, 0, 1, 0, 0})     // EMR_CREATEPEN
                               .Rectangle(1, 2, 3, 4)
                               .Build();
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].type, 43u);
}

TEST(MetafileEmfTest, RefusesWhatTheSystemLoaderRefusesWithCodeNine) {
    const QByteArray good = EmfBuilder().Rectangle(0, 0, 1, 1).Build();
    ASSERT_EQ(MetafileErrorCode(good), 0);

    QByteArray wrongType = good;
    test::SetU32(wrongType, 0, 2);
    EXPECT_EQ(MetafileErrorCode(wrongType), 9);

    QByteArray wrongSignature = good;
    wrongSignature[40] = 'X';
    EXPECT_EQ(MetafileErrorCode(wrongSignature), 9);

    QByteArray unaligned = good;
    test::SetU32(unaligned, 48, uint32_t(good.size() - 2));
    EXPECT_EQ(MetafileErrorCode(unaligned), 9);

    QByteArray longerThanFile = good;
    test::SetU32(longerThanFile, 48, uint32_t(good.size() + 4));
    EXPECT_EQ(MetafileErrorCode(longerThanFile), 9);

    EXPECT_EQ(MetafileErrorCode(good.first(60)), 9);  // header cut short
    EXPECT_EQ(MetafileErrorCode(QByteArray(200, '\0')), 9);
}

TEST(MetafileEmfTest, FewerThanFourBytesCannotBeReadAtAll) {
    EXPECT_EQ(MetafileErrorCode(QByteArray()), 1);
    EXPECT_EQ(MetafileErrorCode(QByteArray("\x01\x00\x00", 3)), 1);
}

TEST(MetafileEmfTest, ANonPlaceableWindowsMetafileIsNotAnEnhancedMetafile) {
    // A plain Windows metafile: METAHEADER first, no placeable key.
    const QByteArray wmf = test::WmfBuilder().Rectangle(0, 0, 10, 10).Metafile();
    EXPECT_EQ(MetafileErrorCode(wmf), 9);
}

TEST(MetafileEmfTest, BytesAfterTheDeclaredSizeAreNotRead) {
    QByteArray emf = EmfBuilder().Rectangle(1, 1, 2, 2).Build();
    emf += EmfBuilder().Rectangle(7, 7, 8, 8).Build().sliced(88);  // a further rectangle
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].points[0], QPoint(1, 1));
}

TEST(MetafileEmfTest, ARecordWithADamagedSizeEndsTheReadingWithWhatCameBefore) {
    for (uint32_t badSize : {0u, 4u, 22u, 0x7FFFFFF0u}) {
        QByteArray bad;
        test::PutU32(bad, 43);
        test::PutU32(bad, badSize);
        const QByteArray emf = EmfBuilder()
                                   .Rectangle(1, 2, 3, 4)
                                   .Raw(bad + QByteArray(16, '\0'))
                                   .Ellipse(0, 0, 5, 5)
                                   .Build();
        const auto records = ReadMetafileRecords(emf);
        ASSERT_EQ(records.size(), 1u) << "record size " << badSize;
        EXPECT_EQ(records[0].type, 43u);
    }
}

TEST(MetafileEmfTest, RecordsWhoseCountsLieAreSkippedAndReadingGoesOn) {
    const Points triangle{{0, 0}, {4, 0}, {0, 4}};
    const QByteArray emf =
        EmfBuilder()
            .Poly16(86, triangle, 4)                         // one point more than it holds
            .Poly16(87, triangle, 0x40000000)                // count * 4 overflows 32 bits
            .PolyPolygon16({triangle}, {3}, 4)               // total beyond the points held
            .PolyPolygon16({triangle}, {2, 2})               // counts add up to more than the total
            .PolyPolygon16({triangle}, {3}, -1, 0x40000001)  // polygon count beyond the record
            .PolyPolygon16({triangle}, {0xFFFFFFFF, 4})      // counts that wrap in 32 bits
            .Record(42, {1, 2, 3})                           // box cut short
            .Poly16(87, triangle)
            .Build();
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], (MetafileRecord{87, triangle, {}}));
}

TEST(MetafileEmfTest, PolyPolygonCountsMayLeaveDeclaredPointsUnused) {
    const QByteArray emf =
        EmfBuilder().PolyPolygon16({{{0, 0}, {1, 0}, {1, 1}, {9, 9}}}, {3}).Build();
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].polygonSizes, std::vector<uint32_t>{3});
    EXPECT_EQ(records[0].points, (Points{{0, 0}, {1, 0}, {1, 1}}));
}

TEST(MetafileEmfTest, EmptyPolylinesAndPolygonsAreKeptAsTheyAre) {
    const QByteArray emf = EmfBuilder().Poly16(87, {}).Poly16(86, {{3, 3}}).Build();
    const auto records = ReadMetafileRecords(emf);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].points.empty());
    EXPECT_EQ(records[1].points, (Points{{3, 3}}));
}

TEST(MetafileEmfTest, FileReadingReportsMissingAndShortFilesAsCodeOne) {
    try {
        ReadMetafileRecordsFromFile(QStringLiteral("/nonexistent/drawing.wmf"));
        FAIL() << "no error";
    } catch (const MetafileError& error) {
        EXPECT_EQ(error.Code(), 1);
    }
}

}  // namespace
}  // namespace velora
