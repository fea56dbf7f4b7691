// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/path_parts.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

struct Parts {
    QString dir;
    QString title;
    QString ext;
};

Parts Split(const QString& path) {
    return {GetPathDir(path), GetPathTitle(path), GetPathExt(path)};
}

void ExpectParts(const QString& path, const QString& dir, const QString& title,
                 const QString& ext) {
    const Parts parts = Split(path);
    EXPECT_EQ(parts.dir, dir) << path.toStdString();
    EXPECT_EQ(parts.title, title) << path.toStdString();
    EXPECT_EQ(parts.ext, ext) << path.toStdString();
    EXPECT_EQ(parts.dir + parts.title + parts.ext, path) << "parts must rebuild the path";
    EXPECT_TRUE(GetPathDrive(path).isEmpty());
}

TEST(PathPartsTest, SplitsDirectoryTitleAndExtension) {
    ExpectParts("/home/ann/textures/wood.jpg", "/home/ann/textures/", "wood", ".jpg");
    ExpectParts("wood.jpg", "", "wood", ".jpg");
    ExpectParts("/wood", "/", "wood", "");
    ExpectParts("/library/templates/", "/library/templates/", "", "");
}

TEST(PathPartsTest, ExtensionStartsAtTheLastDotOfTheFileName) {
    ExpectParts("/tmp/archive.tar.gz", "/tmp/", "archive.tar", ".gz");
    ExpectParts("/lib.old/readme", "/lib.old/", "readme", "");
    ExpectParts("/home/ann/.profile", "/home/ann/", "", ".profile");
    ExpectParts("name.", "", "name", ".");
}

TEST(PathPartsTest, BackslashIsPartOfTheName) {
    ExpectParts("/lib/a\\b.mtp", "/lib/", "a\\b", ".mtp");
}

TEST(SetTrailingBackslashTest, AddTrimsBlanksAndEndsWithOneSeparator) {
    EXPECT_EQ(SetTrailingBackslash("  /lib/textures  ", true), "/lib/textures/");
    EXPECT_EQ(SetTrailingBackslash("/lib/textures/ ", true), "/lib/textures/");
    EXPECT_EQ(SetTrailingBackslash("textures", true), "textures/");
}

TEST(SetTrailingBackslashTest, RemoveTakesOffOneSeparator) {
    EXPECT_EQ(SetTrailingBackslash("/lib/textures/", false), "/lib/textures");
    EXPECT_EQ(SetTrailingBackslash("/lib/textures//", false), "/lib/textures/");
    EXPECT_EQ(SetTrailingBackslash(" /lib/textures ", false), "/lib/textures");
}

TEST(SetTrailingBackslashTest, EmptyPathAndRootKeepTheirMeaning) {
    EXPECT_EQ(SetTrailingBackslash("", true), "");
    EXPECT_EQ(SetTrailingBackslash("   ", true), "");
    EXPECT_EQ(SetTrailingBackslash("/", false), "/");
    EXPECT_EQ(SetTrailingBackslash("/", true), "/");
}

}  // namespace
}  // namespace velora
