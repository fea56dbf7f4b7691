// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_pairs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace velora {
namespace {

using Pairs = std::vector<std::pair<int, std::string>>;

Pairs ReadAll(std::string_view text) {
    DxfPairReader reader(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    Pairs pairs;
    DxfPair pair;
    while (reader.Next(pair)) pairs.emplace_back(pair.code, std::string(pair.value));
    return pairs;
}

TEST(DxfPairsTest, GroupCodesMatchOnlyTheirPlainDecimalSpelling) {
    EXPECT_EQ(ParseGroupCode("0"), 0);
    EXPECT_EQ(ParseGroupCode("10"), 10);
    EXPECT_EQ(ParseGroupCode("1071"), 1071);
    for (const char* text : {"", "010", "00", "+10", "-1", "10.0", "1 0", "a", "10000"}) {
        EXPECT_EQ(ParseGroupCode(text), DxfPair::kNoCode) << text;
    }
}

TEST(DxfPairsTest, LinesAreTrimmedOfWhiteSpaceOnBothSides) {
    EXPECT_EQ(TrimDxfLine("  10 \t\r"), "10");
    EXPECT_EQ(TrimDxfLine("\v\fLINE"), "LINE");
    EXPECT_EQ(TrimDxfLine("   "), "");
    EXPECT_EQ(TrimDxfLine("a b"), "a b");
}

TEST(DxfPairsTest, KeywordsCompareWithoutRegardToCase) {
    EXPECT_TRUE(EqualsKeyword("LINE", "line"));
    EXPECT_TRUE(EqualsKeyword("LwPolyLine", "lwpolyline"));
    EXPECT_FALSE(EqualsKeyword("LINES", "line"));
    EXPECT_FALSE(EqualsKeyword("LIN", "line"));
    EXPECT_FALSE(EqualsKeyword("L1NE", "line"));
    std::string lower;
    AssignLowerCase(lower, "Walls-2 \xC4");
    EXPECT_EQ(lower, "walls-2 \xC4");
}

TEST(DxfPairsTest, ReadsLfAndCrLfLinesWithPaddedCodes) {
    const Pairs expected{{0, "SECTION"}, {2, "ENTITIES"}, {10, "1.5"}};
    EXPECT_EQ(ReadAll("  0\nSECTION\n  2\nENTITIES\n 10\n1.5\n"), expected);
    EXPECT_EQ(ReadAll("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n 10\r\n1.5\r\n"), expected);
    // Mixed line ends and a last line without any.
    EXPECT_EQ(ReadAll("0\r\nSECTION\n2\nENTITIES\r\n10\n1.5"), expected);
}

TEST(DxfPairsTest, ValuesKeepTheirCaseAndEmptyLinesArePairLines) {
    const Pairs expected{{8, "Walls"}, {1, ""}, {DxfPair::kNoCode, "x"}};
    EXPECT_EQ(ReadAll("8\n  Walls  \n1\n\n\nx\n"), expected);
}

TEST(DxfPairsTest, ACodeLineWithoutValueLineEndsTheText) {
    const Pairs expected{{0, "LINE"}};
    EXPECT_EQ(ReadAll("0\nLINE\n10"), expected);
    EXPECT_EQ(ReadAll("0\nLINE\n10\n"), expected);
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_TRUE(ReadAll("0").empty());
}

TEST(DxfPairsTest, VeryLongLinesAreReadWhole) {
    const std::string name(1 << 20, 'n');
    const Pairs pairs = ReadAll("8\n" + name + "\r\n0\nEOF\n");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].second.size(), name.size());
    EXPECT_EQ(pairs[1], (std::pair<int, std::string>{0, "EOF"}));
}

}  // namespace
}  // namespace velora
