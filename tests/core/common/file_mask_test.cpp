// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_mask.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(MatchFileMaskTest, AcceptsANameMatchingAnyMaskOfTheList) {
    EXPECT_TRUE(MatchFileMask("photo.jpg", "*.bmp|*.jpg"));
    EXPECT_TRUE(MatchFileMask("photo.bmp", "*.bmp|*.jpg"));
    EXPECT_FALSE(MatchFileMask("photo.png", "*.bmp|*.jpg"));
    EXPECT_FALSE(MatchFileMask("photo.jpeg", "*.bmp|*.jpg"));
}

TEST(MatchFileMaskTest, EmptyListAcceptsEverything) {
    EXPECT_TRUE(MatchFileMask("photo.jpg", ""));
    EXPECT_TRUE(MatchFileMask("README", ""));
}

TEST(MatchFileMaskTest, MasksAreLowerCasedNamesAreNot) {
    EXPECT_FALSE(MatchFileMask("PHOTO.JPG", "*.bmp|*.jpg"));
    EXPECT_FALSE(MatchFileMask("photo.Jpg", "*.jpg"));
    EXPECT_TRUE(MatchFileMask("photo.jpg", "*.JPG"));
    EXPECT_FALSE(MatchFileMask("PHOTO.JPG", "*.JPG"));
}

TEST(MatchFileMaskTest, ExtensionStartsAtTheFirstDot) {
    EXPECT_FALSE(MatchFileMask("archive.tar.gz", "*.gz"));
    EXPECT_TRUE(MatchFileMask("archive.tar.gz", "*.tar.gz"));
    EXPECT_TRUE(MatchFileMask("archive.tar.gz", "archive.*"));
}

TEST(MatchFileMaskTest, BaseMasks) {
    EXPECT_TRUE(MatchFileMask("wood.png", "wood.*"));
    EXPECT_FALSE(MatchFileMask("woods.png", "wood.*"));
    EXPECT_TRUE(MatchFileMask("wood.png", "wood.png"));
    EXPECT_TRUE(MatchFileMask("wood.png", "*.*"));
}

TEST(MatchFileMaskTest, NamesWithoutDot) {
    EXPECT_TRUE(MatchFileMask("README", "*.*"));
    EXPECT_FALSE(MatchFileMask("readme", "*.txt"));
    EXPECT_TRUE(MatchFileMask("readme", "readme"));
    EXPECT_FALSE(MatchFileMask("license", "readme"));
    EXPECT_TRUE(MatchFileMask("license", "*"));
    EXPECT_FALSE(MatchFileMask("license.txt", "*"));
}

TEST(MatchWildcardTest, StarDotStarMatchesEveryName) {
    EXPECT_TRUE(MatchWildcard("photo.jpg", "*.*"));
    EXPECT_TRUE(MatchWildcard("README", "*.*"));
    EXPECT_TRUE(MatchWildcard(".hidden", "*.*"));
    EXPECT_TRUE(MatchWildcard("a.b.c", "*.*"));
    EXPECT_TRUE(MatchWildcard("anything", "*"));
}

TEST(MatchWildcardTest, IgnoresLetterCase) {
    EXPECT_TRUE(MatchWildcard("PHOTO.JPG", "*.jpg"));
    EXPECT_TRUE(MatchWildcard("photo.jpg", "*.JPG"));
    EXPECT_TRUE(MatchWildcard(QString::fromUtf8("ÉTÉ.png"), QString::fromUtf8("été.*")));
    EXPECT_FALSE(MatchWildcard("photo.jpeg", "*.jpg"));
    EXPECT_FALSE(MatchWildcard("photo.jpg.txt", "*.jpg"));
}

TEST(MatchWildcardTest, QuestionMarkIsExactlyOneCharacter) {
    EXPECT_TRUE(MatchWildcard("abc", "a?c"));
    EXPECT_FALSE(MatchWildcard("ac", "a?c"));
    EXPECT_FALSE(MatchWildcard("abbc", "a?c"));
}

TEST(MatchWildcardTest, StarsBacktrack) {
    EXPECT_TRUE(MatchWildcard("xxaxxbxxb", "*a*b"));
    EXPECT_FALSE(MatchWildcard("xxaxxbxxc", "*a*b"));
    EXPECT_TRUE(MatchWildcard("abab", "*ab"));
    EXPECT_TRUE(MatchWildcard("", "*"));
    EXPECT_FALSE(MatchWildcard("", "?"));
}

TEST(MatchWildcardTest, TrailingDotStarAlsoMatchesNamesWithoutDot) {
    EXPECT_TRUE(MatchWildcard("photo", "photo.*"));
    EXPECT_TRUE(MatchWildcard("photo.png", "photo.*"));
    EXPECT_FALSE(MatchWildcard("photos", "photo.*"));
}

TEST(MatchWildcardTest, OtherCharactersStandForThemselves) {
    EXPECT_TRUE(MatchWildcard("[a].png", "[a].png"));
    EXPECT_FALSE(MatchWildcard("a.png", "[a].png"));
    EXPECT_TRUE(MatchWildcard("*star", "**star"));
}

}  // namespace
}  // namespace velora
