// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/folder_walk.h"

#include "folder_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace velora {
namespace {

using testing::MakeFolder;
using testing::MakeLink;
using testing::WriteFile;

struct Reported {
    QString entry;
    bool isFile;
    bool operator<(const Reported& other) const {
        return entry != other.entry ? entry < other.entry : isFile < other.isFile;
    }
    bool operator==(const Reported& other) const = default;
};

void PrintTo(const Reported& reported, std::ostream* out) {
    *out << reported.entry.toStdString() << (reported.isFile ? " (file)" : " (folder)");
}

std::vector<Reported> Sorted(std::vector<Reported> entries) {
    std::sort(entries.begin(), entries.end());
    return entries;
}

// root/
//   a.txt  B.JPG  .hidden
//   sub1/  c.jpg  deeper/d.txt
//   sub2/  (empty)
class FolderWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + "/root";
        MakeFolder(m_root + "/sub1/deeper");
        MakeFolder(m_root + "/sub2");
        WriteFile(m_root + "/a.txt");
        WriteFile(m_root + "/B.JPG");
        WriteFile(m_root + "/.hidden");
        WriteFile(m_root + "/sub1/c.jpg");
        WriteFile(m_root + "/sub1/deeper/d.txt");
    }

    std::vector<Reported> Walk(const QString& path, WalkFlags flags, const QString& mask = "*.*",
                               bool* result = nullptr) {
        std::vector<Reported> entries;
        const bool walked = WalkFolder(
            path,
            [&entries](const QString& entry, bool isFile) {
                entries.push_back({entry, isFile});
                return true;
            },
            flags, mask);
        if (result) *result = walked;
        return entries;
    }

    QTemporaryDir m_dir;
    QString m_root;
};

TEST_F(FolderWalkTest, ReportsEveryEntryOfTheTreeByName) {
    bool result = false;
    const std::vector<Reported> expected = {{".hidden", true}, {"B.JPG", true}, {"a.txt", true},
                                            {"c.jpg", true},   {"d.txt", true}, {"deeper", false},
                                            {"sub1", false},   {"sub2", false}};
    EXPECT_EQ(Sorted(Walk(m_root, {}, "*.*", &result)), expected);
    EXPECT_TRUE(result);
}

TEST_F(FolderWalkTest, FullPathsCarryTheirFolders) {
    const QString r = m_root + "/";
    const std::vector<Reported> expected = {{r + ".hidden", true},
                                            {r + "B.JPG", true},
                                            {r + "a.txt", true},
                                            {r + "sub1", false},
                                            {r + "sub1/c.jpg", true},
                                            {r + "sub1/deeper", false},
                                            {r + "sub1/deeper/d.txt", true},
                                            {r + "sub2", false}};
    EXPECT_EQ(Sorted(Walk(m_root, WalkFlag::FullPaths)), expected);
    EXPECT_EQ(Sorted(Walk(m_root + "/", WalkFlag::FullPaths)), expected)
        << "a trailing separator must not double";
}

TEST_F(FolderWalkTest, FolderComesBeforeItsContents) {
    const std::vector<Reported> order = Walk(m_root, WalkFlag::FullPaths);
    auto position = [&order](const QString& entry) {
        return std::find_if(order.begin(), order.end(),
                            [&](const Reported& r) { return r.entry == entry; }) -
               order.begin();
    };
    EXPECT_LT(position(m_root + "/sub1"), position(m_root + "/sub1/c.jpg"));
    EXPECT_LT(position(m_root + "/sub1"), position(m_root + "/sub1/deeper"));
    EXPECT_LT(position(m_root + "/sub1/deeper"), position(m_root + "/sub1/deeper/d.txt"));
}

TEST_F(FolderWalkTest, NoRecurseStaysInTheFolder) {
    const std::vector<Reported> expected = {
        {".hidden", true}, {"B.JPG", true}, {"a.txt", true}, {"sub1", false}, {"sub2", false}};
    EXPECT_EQ(Sorted(Walk(m_root, WalkFlag::NoRecurse)), expected);
}

TEST_F(FolderWalkTest, SkipFlags) {
    const std::vector<Reported> foldersOnly = {{"deeper", false}, {"sub1", false}, {"sub2", false}};
    EXPECT_EQ(Sorted(Walk(m_root, WalkFlag::SkipFiles)), foldersOnly);

    // Skipped folders are still walked into.
    const std::vector<Reported> filesOnly = {
        {".hidden", true}, {"B.JPG", true}, {"a.txt", true}, {"c.jpg", true}, {"d.txt", true}};
    EXPECT_EQ(Sorted(Walk(m_root, WalkFlag::SkipFolders)), filesOnly);

    bool result = false;
    EXPECT_TRUE(Walk(m_root, WalkFlag::SkipFiles | WalkFlag::SkipFolders, "*.*", &result).empty());
    EXPECT_TRUE(result);
}

TEST_F(FolderWalkTest, MaskIgnoresCaseAndAppliesToFoldersToo) {
    EXPECT_EQ(Walk(m_root, {}, "*.jpg"), std::vector<Reported>({{"B.JPG", true}}))
        << "sub1 does not match, so c.jpg inside it is not reached";
    EXPECT_EQ(Sorted(Walk(m_root, {}, "sub?")),
              std::vector<Reported>({{"sub1", false}, {"sub2", false}}));
}

TEST_F(FolderWalkTest, EmptyMaskReportsNothing) {
    bool result = true;
    EXPECT_TRUE(Walk(m_root, {}, "", &result).empty());
    EXPECT_FALSE(result);
}

TEST_F(FolderWalkTest, MissingPathFails) {
    bool result = true;
    errno = 0;
    EXPECT_TRUE(Walk(m_root + "/missing", {}, "*.*", &result).empty());
    EXPECT_FALSE(result);
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(FolderWalkTest, FilePathReportsThatFileAlone) {
    const QString file = m_root + "/a.txt";
    int calls = 0;
    const bool result = WalkFolder(file, [&](const QString& entry, bool isFile) {
        ++calls;
        EXPECT_EQ(entry, file);
        EXPECT_TRUE(isFile);
        return false;
    });
    EXPECT_TRUE(result) << "the answer for a single file does not stop anything";
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(Walk(file, WalkFlag::SkipFiles).empty());
}

TEST_F(FolderWalkTest, FalseFromTheCallbackStopsTheWholeWalk) {
    for (int stopAt = 1; stopAt <= 8; ++stopAt) {
        int calls = 0;
        const bool result =
            WalkFolder(m_root, [&](const QString&, bool) { return ++calls < stopAt; });
        EXPECT_FALSE(result) << stopAt;
        EXPECT_EQ(calls, stopAt) << "no entry may be reported after the stop";
    }
}

TEST_F(FolderWalkTest, KeepAliveRunsForEveryFolderRead) {
    int folders = 0;
    auto count = [&folders] { ++folders; };
    WalkFolder(
        m_root, [](const QString&, bool) { return true; }, {}, "*.*", count);
    EXPECT_EQ(folders, 4);  // root, sub1, deeper, sub2
    folders = 0;
    WalkFolder(
        m_root, [](const QString&, bool) { return true; }, WalkFlag::NoRecurse, "*.*", count);
    EXPECT_EQ(folders, 1);
}

TEST_F(FolderWalkTest, LinkedFoldersAreReportedButNotEntered) {
    MakeLink(m_root, m_root + "/sub1/loop");
    MakeLink(m_root + "/gone", m_root + "/dangling");
    const QString r = m_root + "/";
    const std::vector<Reported> order = Walk(m_root, WalkFlag::FullPaths);
    const std::vector<Reported> sorted = Sorted(order);
    EXPECT_EQ(sorted.size(), 10u) << "the link to the root must not be followed";
    EXPECT_TRUE(std::binary_search(sorted.begin(), sorted.end(), Reported{r + "sub1/loop", false}));
    EXPECT_TRUE(std::binary_search(sorted.begin(), sorted.end(), Reported{r + "dangling", true}));
}

TEST_F(FolderWalkTest, LinkToAFolderAsTheWalkedPathIsWalked) {
    const QString link = m_dir.path() + "/link";
    MakeLink(m_root + "/sub1", link);
    EXPECT_EQ(Sorted(Walk(link, {})),
              std::vector<Reported>({{"c.jpg", true}, {"d.txt", true}, {"deeper", false}}));
}

TEST_F(FolderWalkTest, UnreadableFolders) {
    using namespace velora::testing;
    SetMode(m_dir.path(), kOpenToAll);
    SetMode(m_root, kOpenToAll);
    SetMode(m_root + "/sub1", QFile::Permissions());
    const QString root = m_root;
    const std::optional<int> reported = RunUnprivileged([&root] {
        int count = 0;
        const bool result = WalkFolder(root, [&count](const QString&, bool) {
            ++count;
            return true;
        });
        return result ? count : 100 + count;
    });
    const std::optional<int> rootUnreadable = RunUnprivileged([&root] {
        errno = 0;
        const bool result = WalkFolder(root + "/sub1", [](const QString&, bool) { return true; });
        return result ? 1 : errno;
    });
    SetMode(m_root + "/sub1", kOpenToAll);
    if (!reported || !rootUnreadable) GTEST_SKIP() << "cannot give up root here";
    // a.txt, B.JPG, .hidden, sub1 (contents left out), sub2; the walk goes on.
    EXPECT_EQ(*reported, 5);
    EXPECT_EQ(*rootUnreadable, EACCES);
}

TEST_F(FolderWalkTest, CountFolderEntriesCountsWhatTheWalkReports) {
    EXPECT_EQ(CountFolderEntries(m_root), 8);
    EXPECT_EQ(CountFolderEntries(m_root, WalkFlag::NoRecurse), 5);
    EXPECT_EQ(CountFolderEntries(m_root, WalkFlag::SkipFiles), 3);
    EXPECT_EQ(CountFolderEntries(m_root, WalkFlag::SkipFolders), 5);
    EXPECT_EQ(CountFolderEntries(m_root, WalkFlag::SkipFiles | WalkFlag::NoRecurse), 2);
    EXPECT_EQ(CountFolderEntries(m_root + "/sub2"), 0);
    EXPECT_EQ(CountFolderEntries(m_root, {}, "*.txt"), 1);
    EXPECT_EQ(CountFolderEntries(m_root + "/a.txt"), 1);
    EXPECT_EQ(CountFolderEntries(m_root + "/a.txt", WalkFlag::SkipFiles), 0);
    EXPECT_EQ(CountFolderEntries(m_root + "/missing"), 0);
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

TEST_F(FolderWalkTest, ListFolderFiltersFilesWithTheMaskList) {
    const FolderListing listing = ListFolder(m_root, {}, "*.jpg|*.txt");
    EXPECT_EQ(Sorted(listing.files), QStringList({"a.txt", "c.jpg", "d.txt"}))
        << "B.JPG is refused: the mask list compares letter case";
    EXPECT_EQ(Sorted(listing.folders), QStringList({"deeper", "sub1", "sub2"}))
        << "folders are kept whatever their name";
}

TEST_F(FolderWalkTest, ListFolderFlags) {
    const QString r = m_root + "/";
    const FolderListing full = ListFolder(m_root, WalkFlag::FullPaths, "*.jpg");
    EXPECT_EQ(Sorted(full.files), QStringList({r + "sub1/c.jpg"}));
    EXPECT_EQ(Sorted(full.folders), QStringList({r + "sub1", r + "sub1/deeper", r + "sub2"}));

    const FolderListing flat = ListFolder(m_root, WalkFlag::NoRecurse);
    EXPECT_EQ(Sorted(flat.files), QStringList({".hidden", "B.JPG", "a.txt"}));
    EXPECT_EQ(Sorted(flat.folders), QStringList({"sub1", "sub2"}));

    const FolderListing noFolders = ListFolder(m_root, WalkFlag::SkipFolders);
    EXPECT_TRUE(noFolders.folders.isEmpty());
    EXPECT_EQ(noFolders.files.size(), 5);
}

TEST_F(FolderWalkTest, ListFolderOfAFileIsEmpty) {
    const FolderListing listing = ListFolder(m_root + "/a.txt");
    EXPECT_TRUE(listing.files.isEmpty());
    EXPECT_TRUE(listing.folders.isEmpty());
}

}  // namespace
}  // namespace velora
