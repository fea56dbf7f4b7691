// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/text_helpers.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(SplitAtTest, SplitsAtTheFirstOccurrence) {
    QString left;
    QString right;
    ASSERT_TRUE(SplitAt("a=b=c", "=", left, right, false));
    EXPECT_EQ(left, "a");
    EXPECT_EQ(right, "b=c");
    ASSERT_TRUE(SplitAt("key::value", "::", left, right, false));
    EXPECT_EQ(left, "key");
    EXPECT_EQ(right, "value");
    ASSERT_TRUE(SplitAt("=tail", "=", left, right, false));
    EXPECT_EQ(left, "");
    EXPECT_EQ(right, "tail");
}

TEST(SplitAtTest, TrimFlagTrimsBothParts) {
    QString left;
    QString right;
    ASSERT_TRUE(SplitAt(" key = two words \t", "=", left, right, false));
    EXPECT_EQ(left, " key ");
    EXPECT_EQ(right, " two words \t");
    ASSERT_TRUE(SplitAt(" key = two words \t", "=", left, right, true));
    EXPECT_EQ(left, "key");
    EXPECT_EQ(right, "two words");
}

TEST(SplitAtTest, MissingSeparatorLeavesOutputsUntouched) {
    QString left = "old left";
    QString right = "old right";
    EXPECT_FALSE(SplitAt("no separator", "=", left, right, true));
    EXPECT_FALSE(SplitAt("text", "", left, right, true));
    EXPECT_EQ(left, "old left");
    EXPECT_EQ(right, "old right");
}

TEST(SplitListTest, KeepsEmptyPiecesButNotAnEmptyRest) {
    EXPECT_EQ(SplitList("*.bmp|*.jpg", "|"), QStringList({"*.bmp", "*.jpg"}));
    EXPECT_EQ(SplitList("a||b", "|"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitList("/lib/tex/", "/"), QStringList({"", "lib", "tex"}));
    EXPECT_EQ(SplitList("a|", "|"), QStringList({"a"}));
    EXPECT_EQ(SplitList("|", "|"), QStringList({""}));
    EXPECT_EQ(SplitList("a::b::", "::"), QStringList({"a", "b"}));
}

TEST(SplitListTest, TextWithoutSeparator) {
    EXPECT_EQ(SplitList("single", "|"), QStringList({"single"}));
    EXPECT_TRUE(SplitList("", "|").isEmpty());
    EXPECT_EQ(SplitList("whole", ""), QStringList({"whole"}));
}

TEST(CapitalizeFirstTest, UpperCasesOnlyTheFirstCharacter) {
    EXPECT_EQ(CapitalizeFirst("textures"), "Textures");
    EXPECT_EQ(CapitalizeFirst("wood grain"), "Wood grain");
    EXPECT_EQ(CapitalizeFirst("Already"), "Already");
    EXPECT_EQ(CapitalizeFirst("1st group"), "1st group");
    EXPECT_EQ(CapitalizeFirst(""), "");
    EXPECT_EQ(CapitalizeFirst(QString::fromUtf8("élan")), QString::fromUtf8("Élan"));
}

TEST(CapitalizeFirstTest, LetterOutsideTheBasicPlane) {
    // Deseret small long I (U+10428) and its capital (U+10400).
    const char32_t small[] = {0x10428, 'x'};
    const char32_t capital[] = {0x10400, 'x'};
    EXPECT_EQ(CapitalizeFirst(QString::fromUcs4(small, 2)), QString::fromUcs4(capital, 2));
}

}  // namespace
}  // namespace velora
