// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/ftp_listing.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace velora {
namespace {

using Entries = std::vector<std::pair<QByteArray, bool>>;

Entries EntriesOf(const FtpListing& listing) {
    Entries entries;
    for (const RemoteEntry& entry : listing.entries)
        entries.emplace_back(entry.name, entry.isDirectory);
    return entries;
}

TEST(FtpListingTest, UnixStyleKeepsTheServersOrderAndTellsFoldersFromFiles) {
    const FtpListing listing = ParseFtpListing(
        "total 24\r\n"
        "-rw-r--r--   1 ann   staff      512 Jan 31 09:15 zebra.mtp\r\n"
        "drwxr-xr-x   2 ann   staff     4096 Feb  1  2023 Animals\r\n"
        "-rw-r--r--   1 ann   staff   123456 Dec 24 23:59 apple.vld\r\n");
    EXPECT_EQ(EntriesOf(listing),
              (Entries{{"zebra.mtp", false}, {"Animals", true}, {"apple.vld", false}}));
    EXPECT_TRUE(listing.unsafeNames.empty());
}

TEST(FtpListingTest, UnixNamesKeepTheirBlanksAndOwnersMayHaveNoGroup) {
    const FtpListing listing = ParseFtpListing(
        "-rw-r--r--   1 ftp      512 Jan 31 09:15 two  blanks .mtp\n"
        "-rw-r--r--+  1 owner with space group 7 Mar  3 10:00 Jan 01 12:00 x\n"
        "drwxrwsr-x   3 1001     1001          4096 Nov 11  2011  leading blank\n");
    EXPECT_EQ(EntriesOf(listing), (Entries{{"two  blanks .mtp", false},
                                           {"Jan 01 12:00 x", false},
                                           {" leading blank", true}}));
}

TEST(FtpListingTest, LinksAreFilesUnderTheirOwnName) {
    const FtpListing listing =
        ParseFtpListing("lrwxrwxrwx   1 root root 7 Jan  1 00:00 latest -> v2/a.mtp\n");
    EXPECT_EQ(EntriesOf(listing), (Entries{{"latest", false}}));
}

TEST(FtpListingTest, DosStyleWithDirMarksSizesAndBothClockForms) {
    const FtpListing listing = ParseFtpListing(
        "01-31-24  09:15PM       <DIR>          Old Textures\r\n"
        "12-01-2023  11:02AM              4096 stone wall.jpg\r\n"
        "02-03-24  17:45                   10 plain.vld\r\n");
    EXPECT_EQ(EntriesOf(listing),
              (Entries{{"Old Textures", true}, {"stone wall.jpg", false}, {"plain.vld", false}}));
}

TEST(FtpListingTest, DotEntriesAreDroppedAndDangerousNamesSetAside) {
    const FtpListing listing = ParseFtpListing(
        "drwxr-xr-x   2 a a 4096 Jan  1 00:00 .\n"
        "drwxr-xr-x   2 a a 4096 Jan  1 00:00 ..\n"
        "-rw-r--r--   1 a a    1 Jan  1 00:00 ../../etc/passwd\n"
        "-rw-r--r--   1 a a    1 Jan  1 00:00 /etc/shadow\n"
        "01-01-24  10:00AM       <DIR>          ..\\..\\up\n"
        "-rw-r--r--   1 a a    1 Jan  1 00:00 bell\x07.mtp\n"
        "-rw-r--r--   1 a a    1 Jan  1 00:00 ...\n"
        "-rw-r--r--   1 a a    1 Jan  1 00:00 ok.mtp\n");
    EXPECT_EQ(EntriesOf(listing), (Entries{{"...", false}, {"ok.mtp", false}}));
    EXPECT_EQ(listing.unsafeNames, (std::vector<QByteArray>{"../../etc/passwd", "/etc/shadow",
                                                            "..\\..\\up", "bell\x07.mtp"}));
}

TEST(FtpListingTest, NamesKeepTheServersBytes) {
    const QByteArray latin1Name = "caf\xe9.mtp";
    const QByteArray utf8Name = "caf\xc3\xa9.mtp";
    const FtpListing listing = ParseFtpListing("-rw-r--r-- 1 a a 1 Jan  1 00:00 " + latin1Name +
                                               "\n-rw-r--r-- 1 a a 1 Jan  1 00:00 " + utf8Name);
    ASSERT_EQ(listing.entries.size(), 2u);
    EXPECT_EQ(listing.entries[0].name, latin1Name);
    EXPECT_EQ(listing.entries[1].name, utf8Name);
    EXPECT_EQ(RemoteText(latin1Name), QString::fromUtf8("café.mtp"));
    EXPECT_EQ(RemoteText(utf8Name), QString::fromUtf8("café.mtp"));
}

TEST(FtpListingTest, LinesOfNeitherStyleAndOverlongLinesArePassedOver) {
    const FtpListing listing = ParseFtpListing(
        "Welcome to the archive\n"
        "-rw-r--r-- 1 a a 1 Jan  1 00:00\n"
        "drwx 2 a a 4096 Jan 1 00:00 short-permissions\n"
        "-rw-r--r-- 1 a a 1 Jan  1 00:00 " +
        QByteArray(5000, 'n') + "\n\n");
    EXPECT_TRUE(listing.entries.empty());
    EXPECT_TRUE(listing.unsafeNames.empty());
}

TEST(FtpListingTest, SafeNamesAreSingleHarmlessComponents) {
    EXPECT_TRUE(IsSafeRemoteName("a.mtp"));
    EXPECT_TRUE(IsSafeRemoteName("..hidden"));
    EXPECT_TRUE(IsSafeRemoteName("name with blanks"));
    EXPECT_FALSE(IsSafeRemoteName(""));
    EXPECT_FALSE(IsSafeRemoteName("."));
    EXPECT_FALSE(IsSafeRemoteName(".."));
    EXPECT_FALSE(IsSafeRemoteName("a/b"));
    EXPECT_FALSE(IsSafeRemoteName("a\\b"));
    EXPECT_FALSE(IsSafeRemoteName("line\nbreak"));
    EXPECT_FALSE(IsSafeRemoteName(QByteArray("nul\0byte", 8)));
    EXPECT_FALSE(IsSafeRemoteName("del\x7f"));
}

}  // namespace
}  // namespace velora
