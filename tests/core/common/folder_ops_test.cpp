// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/folder_ops.h"

#include "core/common/error_text.h"
#include "folder_fixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>

namespace velora {
namespace {

using namespace velora::testing;

bool IsFolder(const QString& path) { return QFileInfo(path).isDir(); }

// Every prefix of an absolute folder path, each ending with "/".
QStringList Prefixes(const QString& folder) {
    QStringList prefixes = {"/"};
    for (const QString& piece : folder.split('/', Qt::SkipEmptyParts)) {
        prefixes.append(prefixes.last() + piece + "/");
    }
    return prefixes;
}

class FolderOpsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_base = m_dir.path();
    }

    QTemporaryDir m_dir;
    QString m_base;
};

TEST_F(FolderOpsTest, CreateFolderPathCreatesNestedFoldersOutermostFirst) {
    const QString target = m_base + "/one/two/three";
    QStringList attempted;
    ASSERT_TRUE(CreateFolderPath(target, &attempted));
    EXPECT_TRUE(IsFolder(target));
    QStringList expected = Prefixes(m_base);
    expected << m_base + "/one/" << m_base + "/one/two/" << m_base + "/one/two/three/";
    EXPECT_EQ(attempted, expected);
}

TEST_F(FolderOpsTest, CreateFolderPathSucceedsWhenTheFolderIsThere) {
    MakeFolder(m_base + "/one/two");
    QStringList attempted;
    EXPECT_TRUE(CreateFolderPath(m_base + "/one/two/", &attempted));
    EXPECT_EQ(attempted.last(), m_base + "/one/two/");
    EXPECT_EQ(attempted.size(), Prefixes(m_base).size() + 2);
    EXPECT_TRUE(CreateFolderPath(m_base + "/one/two"));
}

TEST_F(FolderOpsTest, CreateFolderPathFailsBelowAFile) {
    WriteFile(m_base + "/file");
    errno = 0;
    EXPECT_FALSE(CreateFolderPath(m_base + "/file/sub/deeper"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(GetErrorText(errno).isEmpty());
    EXPECT_TRUE(QFileInfo(m_base + "/file").isFile());
    EXPECT_FALSE(CreateFolderPath(""));
}

TEST_F(FolderOpsTest, DeleteFolderRemovesTheWholeTree) {
    const QString root = m_base + "/group";
    MakeFolder(root + "/a/b/c");
    MakeFolder(root + "/empty");
    WriteFile(root + "/top.jpg");
    WriteFile(root + "/.hidden");
    WriteFile(root + "/a/b/c/deep.png");
    // On Linux the folder, not the file, decides whether a file can go.
    WriteFile(root + "/a/read-only.png");
    SetMode(root + "/a/read-only.png", QFile::ReadOwner | QFile::ReadUser);
    EXPECT_TRUE(DeleteFolder(root + "/"));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(IsFolder(m_base));
}

TEST_F(FolderOpsTest, DeleteFolderDeletesLinksNotWhatTheyPointTo) {
    const QString root = m_base + "/group";
    const QString outside = m_base + "/outside";
    MakeFolder(root + "/sub");
    MakeFolder(outside + "/inner");
    WriteFile(outside + "/keep.jpg");
    WriteFile(outside + "/inner/keep.png");
    MakeLink(outside, root + "/linked-folder");
    MakeLink(outside + "/keep.jpg", root + "/sub/linked-file.jpg");
    MakeLink(root, root + "/sub/loop");

    EXPECT_TRUE(DeleteFolder(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo(outside + "/keep.jpg").isFile());
    EXPECT_TRUE(QFileInfo(outside + "/inner/keep.png").isFile());
}

TEST_F(FolderOpsTest, DeleteFolderOnALinkDeletesOnlyTheLink) {
    MakeFolder(m_base + "/real");
    WriteFile(m_base + "/real/keep.jpg");
    MakeLink(m_base + "/real", m_base + "/link");
    EXPECT_TRUE(DeleteFolder(m_base + "/link/"));
    EXPECT_FALSE(QFileInfo(m_base + "/link").isSymLink());
    EXPECT_TRUE(QFileInfo(m_base + "/real/keep.jpg").isFile());
}

TEST_F(FolderOpsTest, DeleteFolderLeavesFilesAndMissingPathsAlone) {
    WriteFile(m_base + "/file.jpg");
    errno = 0;
    EXPECT_FALSE(DeleteFolder(m_base + "/file.jpg"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_TRUE(QFileInfo(m_base + "/file.jpg").isFile());
    errno = 0;
    EXPECT_FALSE(DeleteFolder(m_base + "/missing"));
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(FolderOpsTest, DeleteFolderStopsAtAFileThatCannotBeDeleted) {
    // group/a.txt can go; group/locked/b.txt cannot, its folder is read-only.
    const QString root = m_base + "/group";
    MakeFolder(root + "/locked");
    MakeFolder(root + "/open");
    WriteFile(root + "/a.txt");
    WriteFile(root + "/locked/b.txt");
    for (const QString& path : {m_base, root, root + "/open"}) SetMode(path, kOpenToAll);
    SetMode(root + "/locked", kReadOnlyFolder);

    constexpr int kNotReached = 3;
    const std::optional<int> outcome = RunUnprivileged([&root] {
        if (!QFileInfo::exists(root + "/a.txt")) return kNotReached;
        errno = 0;
        const bool deleted = DeleteFolder(root);
        return deleted ? 1 : (errno == EACCES ? 0 : 2);
    });
    SetMode(root + "/locked", kOpenToAll);
    if (!outcome || *outcome == kNotReached) GTEST_SKIP() << "cannot give up root here";
    EXPECT_EQ(*outcome, 0) << "DeleteFolder must fail with EACCES";
    EXPECT_TRUE(QFileInfo(root + "/locked/b.txt").isFile());
    EXPECT_TRUE(IsFolder(root + "/locked"));
    EXPECT_TRUE(IsFolder(root + "/open"));
    EXPECT_TRUE(IsFolder(root));
}

}  // namespace
}  // namespace velora
