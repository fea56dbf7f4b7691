// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_reader.h"

#include "dxf_test_text.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using dxftest::CircleEntity;
using dxftest::DistinctPoints;
using dxftest::Groups;
using dxftest::InEntities;
using dxftest::LayerTable;
using dxftest::LineEntity;
using dxftest::Read;

// First point of every path, which tells the imported entities apart.
std::vector<PointF> Starts(const std::vector<Path>& paths) {
    std::vector<PointF> starts;
    for (const Path& path : paths) starts.push_back(*path.FirstPoint());
    return starts;
}

TEST(DxfReaderTest, LineBecomesAPathAtOneHundredTimesItsUnits) {
    const std::vector<Path> paths = Read(InEntities(LineEntity(0, 0, 10, 0)));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(DistinctPoints(paths[0]), (std::vector<PointF>{{0, 0}, {1000, 0}}));
    EXPECT_EQ(paths[0].Types().front(), PathPointType::Start);

    // Groups 10/20 give the start and 11/21 the end, in any order.
    const std::vector<Path> shuffled = Read(InEntities(
        Groups({"0", "LINE", "21", "4", "10", "1.5", "11", "3", "20", "-2.25", "30", "9"})));
    ASSERT_EQ(shuffled.size(), 1u);
    EXPECT_EQ(DistinctPoints(shuffled[0]), (std::vector<PointF>{{150, -225}, {300, 400}}));
}

TEST(DxfReaderTest, EntitiesComeOutInFileOrder) {
    const std::vector<Path> paths =
        Read(InEntities(LineEntity(1, 0, 2, 0) + CircleEntity(50, 50, 1) + LineEntity(3, 0, 4, 0)));
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(*paths[0].FirstPoint(), (PointF{100, 0}));
    EXPECT_NEAR(paths[1].WorldBounds().x, 4900, 0.01);
    EXPECT_EQ(*paths[2].FirstPoint(), (PointF{300, 0}));
}

TEST(DxfReaderTest, UpperCaseNamesAndPaddedCodesAreRecognised) {
    const std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nLine\n 10\n1\n 20\n2\n 11\n3\n"
        " 21\n4\n  0\nENDSEC\n  0\nEOF\n";
    const std::vector<Path> paths = Read(text);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(DistinctPoints(paths[0]), (std::vector<PointF>{{100, 200}, {300, 400}}));
}

TEST(DxfReaderTest, CrLfTextReadsLikeLfText) {
    std::string lf = InEntities(LineEntity(1, 2, 3, 4) + CircleEntity(0, 0, 2));
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::vector<Path> fromLf = Read(lf);
    const std::vector<Path> fromCrLf = Read(crlf);
    ASSERT_EQ(fromLf.size(), 2u);
    ASSERT_EQ(fromCrLf.size(), 2u);
    for (size_t i = 0; i < fromLf.size(); ++i) {
        EXPECT_EQ(fromLf[i].Points(), fromCrLf[i].Points());
        EXPECT_EQ(fromLf[i].Types(), fromCrLf[i].Types());
    }
}

TEST(DxfReaderTest, LayersDecideWhichEntitiesAreImported) {
    const std::string layers = LayerTable({{"Walls", 7}, {"Hidden", -7}});
    const std::string entities = InEntities(
        Groups({"0", "LINE", "8", "WALLS", "10", "1", "11", "2"}) +     // on, other case
        Groups({"0", "LINE", "8", "hidden", "10", "2", "11", "3"}) +    // negative colour
        Groups({"0", "LINE", "8", "Unknown", "10", "3", "11", "4"}) +   // not in the table
        Groups({"0", "LINE", "10", "4", "11", "5"}) +                   // no layer at all
        Groups({"0", "CIRCLE", "8", "Hidden", "10", "5", "40", "1"}) +  // any type
        Groups({"0", "LINE", "8", "Unknown", "10", "6", "11", "7"}));   // still unknown
    EXPECT_EQ(Starts(Read(layers + entities)), (std::vector<PointF>{{100, 0}, {400, 0}}));
}

TEST(DxfReaderTest, ColourDecidesTheLayerLastNamed) {
    // The colour group applies to the layer named before it in its record.
    const std::string text =
        Groups({"0", "LAYER", "2", "a", "62", "-1", "0", "LAYER", "2", "b", "62", "3"}) +
        InEntities(Groups({"0", "LINE", "8", "a", "10", "1", "11", "2"}) +
                   Groups({"0", "LINE", "8", "b", "10", "2", "11", "3"}));
    EXPECT_EQ(Starts(Read(text)), (std::vector<PointF>{{200, 0}}));
}

TEST(DxfReaderTest, Group60MakesAnEntityInvisibleUnlessItIsZero) {
    const std::string text =
        InEntities(Groups({"0", "LINE", "60", "0", "10", "1", "11", "2"}) +
                   Groups({"0", "LINE", "10", "2", "60", "1", "11", "3"}) +
                   Groups({"0", "LINE", "60", "00", "10", "3", "11", "4"}) +
                   // Once invisible, a later visible layer does not bring it back.
                   Groups({"0", "LINE", "60", "1", "8", "0", "10", "4", "11", "5"}) +
                   Groups({"0", "CIRCLE", "10", "5", "40", "1", "60", "2"}));
    EXPECT_EQ(Starts(Read(LayerTable({{"0", 7}}) + text)), (std::vector<PointF>{{100, 0}}));
}

TEST(DxfReaderTest, EntitiesOfBlocksAppearOnlyWhereInserted) {
    const std::string blocks =
        Groups({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "B1"}) + LineEntity(9, 9, 8, 8) +
        Groups({"0", "ARC", "10", "9", "20", "9", "40", "1", "50", "0", "51", "90"}) +
        CircleEntity(1, 1, 1) +
        Groups({"0", "LWPOLYLINE", "10", "2", "20", "2", "10", "3", "20", "2"}) +
        Groups({"0", "SPLINE", "11", "4", "21", "4", "11", "5", "21", "4"}) +
        Groups({"0", "ENDBLK", "0", "ENDSEC"});
    EXPECT_EQ(Starts(Read(blocks + InEntities(LineEntity(7, 0, 8, 0)))),
              (std::vector<PointF>{{700, 0}}));
}

// Entity types the reader passes over are counted for the user, in the
// order first met, however they are spelt; parts of other entities are not
// counted, and neither are the entities of blocks nothing inserts.
TEST(DxfReaderTest, EntityTypesPassedOverAreCounted) {
    const std::string blocks = Groups(
        {"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "0", "TEXT", "0", "ENDBLK", "0", "ENDSEC"});
    const std::string entities =
        Groups({"0", "insert", "0", "ATTRIB", "0", "SEQEND", "0", "TEXT", "0", "Insert"}) +
        LineEntity(0, 0, 1, 1) + Groups({"0", "POLYLINE", "0", "VERTEX", "0", "SEQEND"});
    const std::string text = blocks + InEntities(entities);
    EntityTally ignored;
    const std::vector<Path> paths =
        ReadDxfPaths(QByteArrayView(text.data(), qsizetype(text.size())), &ignored);
    EXPECT_EQ(paths.size(), 1u);
    const std::vector<std::pair<QString, int>> expected{{"INSERT of a missing block", 2},
                                                        {"TEXT", 1}};
    EXPECT_EQ(ignored.Counts(), expected);
}

// A damaged file may hold any number of made-up types: the tally stays
// small, counting the types past its limit together.
TEST(DxfReaderTest, TypesPastTheTallysLimitAreCountedTogether) {
    std::string entities;
    const int types = static_cast<int>(EntityTally::kMaxTypes) + 10;
    for (int i = 0; i < types; ++i) entities += Groups({"0", "TYPE" + std::to_string(i)});
    entities += Groups({"0", "TYPE0", "0", "TYPE40"});
    const std::string text = InEntities(entities);
    EntityTally ignored;
    ReadDxfPaths(QByteArrayView(text.data(), qsizetype(text.size())), &ignored);
    const auto& counts = ignored.Counts();
    ASSERT_EQ(counts.size(), EntityTally::kMaxTypes + 1);
    EXPECT_EQ(counts.front(), std::make_pair(QString("TYPE0"), 2));
    EXPECT_EQ(counts.back(), std::make_pair(QString("other"), 11));
}

TEST(DxfReaderTest, NothingAfterTheEntitiesSectionIsRead) {
    const std::string text =
        InEntities(LineEntity(1, 0, 2, 0)) + InEntities(LineEntity(3, 0, 4, 0));
    EXPECT_EQ(Starts(Read(text)), (std::vector<PointF>{{100, 0}}));
    // The end of another section does not end the entities.
    const std::string withBlocksEnd =
        Groups({"0", "SECTION", "2", "BLOCKS", "0", "ENDSEC"}) + InEntities(LineEntity(5, 0, 6, 0));
    EXPECT_EQ(Starts(Read(withBlocksEnd)), (std::vector<PointF>{{500, 0}}));
}

TEST(DxfReaderTest, ATextThatEndsEarlyKeepsItsEntities) {
    const std::string start = Groups({"0", "SECTION", "2", "ENTITIES"}) + LineEntity(1, 0, 2, 0);
    // Without a final "0" group the last entity is still finished.
    EXPECT_EQ(Read(start + LineEntity(3, 0, 4, 0)).size(), 2u);
    // A code line without its value line ends the text.
    EXPECT_EQ(Starts(Read(start + "0\nLINE\n10\n3\n11")),
              (std::vector<PointF>{{100, 0}, {300, 0}}));
    EXPECT_EQ(Read(start + "0").size(), 1u);
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read("0").empty());
}

TEST(DxfReaderTest, MalformedNumbersReadAsZero) {
    const std::vector<Path> paths =
        Read(InEntities(Groups({"0", "LINE", "10", "abc", "20", "2x", "11", "1,5", "21", ""})));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(DistinctPoints(paths[0]), (std::vector<PointF>{{0, 200}, {100, 0}}));
}

TEST(DxfReaderTest, EntitiesWithNumbersOutOfRangeAreLeftOut) {
    const std::string text = InEntities(
        Groups({"0", "LINE", "10", "1e39", "11", "1"}) +       // float overflow
        Groups({"0", "LINE", "10", "1e400", "11", "1"}) +      // double overflow
        Groups({"0", "LINE", "20", "-2e7", "11", "1"}) +       // beyond the range
        Groups({"0", "CIRCLE", "10", "9999999", "40", "2"}) +  // circle crosses it
        Groups({"0", "ARC", "40", "1", "50", "1e39", "51", "1"}) +
        Groups({"0", "LWPOLYLINE", "10", "0", "20", "0", "42", "1e400", "10", "1", "20", "0"}) +
        Groups({"0", "SPLINE", "11", "0", "21", "0", "11", "3e7", "21", "0"}) +
        LineEntity(1, 0, 2, 0) + Groups({"0", "LINE", "10", "1e7", "11", "-1e7"}));
    EXPECT_EQ(Starts(Read(text)), (std::vector<PointF>{{100, 0}, {1e9f, 0}}));
}

TEST(DxfReaderTest, GroupsBeforeTheirRecordAreIgnored) {
    // A y before any vertex or point has nothing to set.
    const std::string text = InEntities(
        Groups({"0", "LWPOLYLINE", "20", "5", "10", "1", "20", "2", "10", "3", "20", "4"}) +
        Groups({"0", "SPLINE", "21", "5", "20", "6", "11", "1", "21", "1", "11", "2"}));
    const std::vector<Path> paths = Read(text);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(DistinctPoints(paths[0]), (std::vector<PointF>{{100, 200}, {300, 400}}));
    EXPECT_EQ(*paths[1].FirstPoint(), (PointF{100, 100}));
    EXPECT_EQ(*paths[1].LastPoint(), (PointF{200, 0}));
}

TEST(DxfReaderTest, UnknownEntitiesAndTheirGroupsAreSkipped) {
    const std::string text = InEntities(
        Groups({"0", "POLYLINE", "66", "1", "0", "VERTEX", "10", "5", "20", "5", "0", "SEQEND"}) +
        Groups({"0", "TEXT", "10", "1", "20", "1", "1", "LINE"}) +
        Groups({"0", "MTEXT", "10", "0", "20", "0", "11", "2", "21", "0", "40", "0.5"}) +
        LineEntity(1, 0, 2, 0));
    EXPECT_EQ(Starts(Read(text)), (std::vector<PointF>{{100, 0}}));
}

}  // namespace
}  // namespace velora
