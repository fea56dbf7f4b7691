// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_copy.h"
#include "folder_fixture.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace velora {
namespace {

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(m_dir.filePath("to"))); }

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    void Write(const QString& relative, const QByteArray& bytes) const {
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& relative) const {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
};

TEST_F(FileCopyTest, CopiesUnderTheSameNameAndReplacesOnlyWhenAsked) {
    Write("a.png", "new");
    Write("to/a.png", "old");
    const CopyResult kept = CopyFileToFolder(Path("a.png"), Path("to"), false);
    EXPECT_EQ(kept.outcome, CopyOutcome::Failed);
    EXPECT_FALSE(kept.error.isEmpty());
    EXPECT_EQ(Read("to/a.png"), "old");

    const CopyResult replaced = CopyFileToFolder(Path("a.png"), Path("to/"), true);
    EXPECT_EQ(replaced.outcome, CopyOutcome::Copied);
    EXPECT_EQ(replaced.target, Path("to/a.png"));
    EXPECT_EQ(Read("to/a.png"), "new");
    EXPECT_EQ(Read("a.png"), "new");
    EXPECT_EQ(QDir(Path("to")).entryList(QDir::Files), QStringList({"a.png"}))
        << "no temporary file is left behind";
}

TEST_F(FileCopyTest, AFileCopiedIntoItsOwnFolderIsLeftAsItIs) {
    Write("to/same.png", "data");
    const CopyResult result = CopyFileToFolder(Path("to/same.png"), Path("to"), true);
    EXPECT_EQ(result.outcome, CopyOutcome::SameFile);
    EXPECT_EQ(Read("to/same.png"), "data");
    ASSERT_TRUE(QFile::link(Path("to/same.png"), Path("link.png")));
    Write("elsewhere.png", "x");
    EXPECT_EQ(CopyFileToFolder(Path("link.png"), Path("to"), true).outcome, CopyOutcome::Copied)
        << "a link's own name is another file";
}

TEST_F(FileCopyTest, FoldersAndMissingFilesAreNotCopied) {
    ASSERT_TRUE(QDir().mkpath(Path("folder")));
    EXPECT_EQ(CopyFileToFolder(Path("folder"), Path("to"), true).outcome, CopyOutcome::Failed);
    EXPECT_EQ(CopyFileToFolder(Path("missing"), Path("to"), true).outcome, CopyOutcome::Failed);
    Write("clash", "file");
    ASSERT_TRUE(QDir().mkpath(Path("to/clash")));
    const CopyResult onFolder = CopyFileToFolder(Path("clash"), Path("to"), true);
    EXPECT_EQ(onFolder.outcome, CopyOutcome::Failed);
    EXPECT_TRUE(QFileInfo(Path("to/clash")).isDir());
    EXPECT_FALSE(QFileInfo::exists(Path("to/folder")));
}

}  // namespace
}  // namespace velora
