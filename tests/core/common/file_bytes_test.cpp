// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_bytes.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

namespace velora {
namespace {

class FileBytesTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Written(const QString& name, const QByteArray& bytes) const {
        test::WriteFileBytes(PathOf(name), bytes);
        return PathOf(name);
    }
    QString Fifo() const {
        const QString path = PathOf("fifo");
        EXPECT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        return path;
    }

    QTemporaryDir m_dir;
};

// --- the bounded reader ------------------------------------------------------------

TEST_F(FileBytesTest, ReadsAFileUpToTheLimitWhole) {
    const FileBytes file = ReadBoundedFile(Written("a.bin", "12345"), 5);
    EXPECT_EQ(file.status, FileBytes::Status::Read);
    EXPECT_EQ(file.bytes, QByteArray("12345"));
    EXPECT_EQ(file.size, 5);

    const FileBytes empty = ReadBoundedFile(Written("empty.bin", {}), 0);
    EXPECT_EQ(empty.status, FileBytes::Status::Read);
    EXPECT_TRUE(empty.bytes.isEmpty());
}

TEST_F(FileBytesTest, RefusesAFileBeyondTheLimitWithoutItsBytes) {
    const FileBytes file = ReadBoundedFile(Written("big.bin", "123456"), 5);
    EXPECT_EQ(file.status, FileBytes::Status::TooLarge);
    EXPECT_EQ(file.size, 6);
    EXPECT_TRUE(file.bytes.isEmpty());
}

TEST_F(FileBytesTest, MissingFilesAndFoldersCannotBeOpened) {
    const FileBytes missing = ReadBoundedFile(PathOf("missing.bin"), 100);
    EXPECT_EQ(missing.status, FileBytes::Status::CannotOpen);
    EXPECT_FALSE(missing.cause.isEmpty());

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    EXPECT_EQ(ReadBoundedFile(PathOf("folder"), 100).status, FileBytes::Status::CannotOpen);
}

// A pipe would otherwise be read until its writer stops, past any limit.
TEST_F(FileBytesTest, PipesAreRefusedBeforeTheyAreRead) {
    const QString fifo = Fifo();
    // Opening a pipe for reading waits for a writer; keep one open.
    QFile writer(fifo);
    FileBytes file;
    std::thread reader([&] { file = ReadBoundedFile(fifo, 100); });
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    reader.join();
    EXPECT_EQ(file.status, FileBytes::Status::NotRegularFile);
    EXPECT_EQ(file.cause, QStringLiteral("not a regular file"));
}

// --- documents ---------------------------------------------------------------------

TEST_F(FileBytesTest, DocumentReadsNameTheFileInEveryFailure) {
    const QString missing = PathOf("missing.vld");
    try {
        ReadFileBytes(missing, 10);
        FAIL() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.Message().startsWith("Cannot open \"" + missing + "\": "));
    }
    const QString big = Written("big.vld", QByteArray(11, 'x'));
    try {
        ReadFileBytes(big, 10);
        FAIL() << "a file beyond the limit was read";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.Message(), "\"" + big + "\" is too large to be a document (11 bytes)");
    }
    EXPECT_EQ(ReadFileBytes(Written("small.vld", "abc"), 10), QByteArray("abc"));
}

TEST_F(FileBytesTest, AtomicWriteReplacesTheFileWhole) {
    const QString path = Written("doc.vld", "old contents");
    WriteFileAtomically(path, "new");
    EXPECT_EQ(test::FileBytes(path), QByteArray("new"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"doc.vld"});
}

TEST_F(FileBytesTest, FailedAtomicWriteNamesTheFileInItsOwnWords) {
    const QString path = PathOf("no/such/folder/doc.vld");
    try {
        WriteFileAtomically(path, "x");
        FAIL() << "a file was written into a missing folder";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.Message().startsWith("Cannot write \"" + path + "\": "));
    }
    try {
        OutputFile file(path);
        FAIL() << "an output file was opened in a missing folder";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.Message().startsWith(path + ": "));
    }
}

TEST_F(FileBytesTest, AbandonedOutputLeavesTheOldFileAsItWas) {
    const QString path = Written("picture.png", "old picture");
    {
        OutputFile file(path);
        file.Write("half", 4);
    }
    EXPECT_EQ(test::FileBytes(path), QByteArray("old picture"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"picture.png"});

    OutputFile file(path);
    file.Write("new picture", 11);
    file.Commit();
    EXPECT_EQ(test::FileBytes(path), QByteArray("new picture"));
}

}  // namespace
}  // namespace velora
