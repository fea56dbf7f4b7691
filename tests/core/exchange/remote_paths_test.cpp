// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/remote_paths.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

const QString kAddress = QStringLiteral("ftp.example.org");
const QString kLibrary = QStringLiteral("/home/ann/velora/templates/");

TEST(DownloadLocalPathTest, TheRestOfTheUrlBelowTheRemoteFolderGoesBelowTheLibrary) {
    EXPECT_EQ(DownloadLocalPath("ftp://ftp.example.org/templates/animals/cat.mtp", kAddress,
                                "/templates", kLibrary),
              "/home/ann/velora/templates/animals/cat.mtp");
    EXPECT_EQ(DownloadLocalPath("ftp://ftp.example.org/templates/cat.mtp", kAddress, "/templates/",
                                kLibrary),
              "/home/ann/velora/templates/cat.mtp");
    EXPECT_EQ(DownloadLocalPath("ftp://ftp.example.org/cat.mtp", kAddress, "", kLibrary),
              "/home/ann/velora/templates/cat.mtp");
    EXPECT_EQ(DownloadLocalPath("ftp://ftp.example.org/cat.mtp", kAddress, "/", kLibrary),
              "/home/ann/velora/templates/cat.mtp");
}

TEST(DownloadLocalPathTest, AFolderNotWrittenAsTheServerNamesItGivesNoPath) {
    EXPECT_FALSE(DownloadLocalPath("ftp://ftp.example.org/templates/cat.mtp", kAddress, "templates",
                                   kLibrary));
    EXPECT_FALSE(DownloadLocalPath("ftp://ftp.example.org/templates/cat.mtp", kAddress,
                                   "/Templates", kLibrary));
    EXPECT_FALSE(
        DownloadLocalPath("ftp://other.org/templates/cat.mtp", kAddress, "/templates", kLibrary));
}

TEST(DownloadLocalPathTest, NoPathClimbsOutOfTheLibrary) {
    EXPECT_FALSE(DownloadLocalPath("ftp://ftp.example.org/templates/../../.bashrc", kAddress,
                                   "/templates", kLibrary));
    EXPECT_FALSE(
        DownloadLocalPath("ftp://ftp.example.org/templates/./a", kAddress, "/templates", kLibrary));
    EXPECT_EQ(DownloadLocalPath("ftp://ftp.example.org/templates/..a/b..", kAddress, "/templates",
                                kLibrary),
              "/home/ann/velora/templates/..a/b..");
}

TEST(SendRemotePathTest, TheLocalPathBelowTheRootGoesBelowTheRemoteFolder) {
    EXPECT_EQ(SendRemotePath(kLibrary + "animals/Cat.mtp", kLibrary, "/templates"),
              "/templates/animals/Cat.mtp");
    EXPECT_EQ(SendRemotePath(kLibrary + "cat.mtp", kLibrary, "/templates/"), "/templates/cat.mtp");
    EXPECT_EQ(SendRemotePath(kLibrary + "cat.mtp", kLibrary, ""), "/cat.mtp");
    EXPECT_EQ(SendRemotePath(kLibrary + "cat.mtp", kLibrary, "\\win\\style\\"),
              "/win/style/cat.mtp");
    EXPECT_EQ(SendRemotePath(kLibrary + "cat.mtp", kLibrary, "relative"), "relative/cat.mtp");
    // The root's text further on belongs to the file's own path.
    EXPECT_EQ(SendRemotePath("/a/b/a/c.jpg", "/a/", "/x"), "/x/b/a/c.jpg");
}

TEST(RemoteNamesTest, UrlsAndJoinedPathsHaveOneSlashBetweenParts) {
    EXPECT_EQ(JoinRemotePath("/", "a.mtp"), "/a.mtp");
    EXPECT_EQ(JoinRemotePath("/templates", "a.mtp"), "/templates/a.mtp");
    EXPECT_EQ(JoinRemotePath("/templates/", "a.mtp"), "/templates/a.mtp");
    EXPECT_EQ(FileUrl(kAddress, "/templates/a b.mtp"), "ftp://ftp.example.org/templates/a b.mtp");
}

}  // namespace
}  // namespace velora
