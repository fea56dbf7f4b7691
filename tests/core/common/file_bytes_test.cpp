// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_bytes.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "support/child_process.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <initializer_list>

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

TEST_F(FileBytesTest, MissingFilesCannotBeOpenedForTheSystemsReason) {
    const FileBytes missing = ReadBoundedFile(PathOf("missing.bin"), 100);
    EXPECT_EQ(missing.status, FileBytes::Status::CannotOpen);
    EXPECT_EQ(missing.reason, "cannot be opened: No such file or directory");
}

// A pipe would otherwise be waited for, and then read until its writer
// stops, past any limit; a device may never end. Neither has a writer here:
// the refusal must come at once.
TEST_F(FileBytesTest, OnlyRegularFilesAreRead) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    const FileBytes folder = ReadBoundedFile(PathOf("folder"), 100);
    EXPECT_EQ(folder.status, FileBytes::Status::NotRegularFile);
    EXPECT_EQ(folder.reason, "is a folder, not a file");

    const FileBytes pipe = ReadBoundedFile(Fifo(), 100);
    EXPECT_EQ(pipe.status, FileBytes::Status::NotRegularFile);
    EXPECT_EQ(pipe.reason, "is a pipe, not a regular file");

    const FileBytes device = ReadBoundedFile("/dev/zero", 100);
    EXPECT_EQ(device.status, FileBytes::Status::NotRegularFile);
    EXPECT_EQ(device.reason, "is a device, not a regular file");
    EXPECT_TRUE(device.bytes.isEmpty());
}

// --- documents ---------------------------------------------------------------------

TEST_F(FileBytesTest, DocumentReadsNameTheFileInEveryFailure) {
    const QString missing = PathOf("missing.vld");
    try {
        ReadFileBytes(missing, 10);
        FAIL() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.File(), missing);
        EXPECT_EQ(error.Message(), missing + ": cannot be opened: No such file or directory");
    }
    const QString big = Written("big.vld", QByteArray(11, 'x'));
    try {
        ReadFileBytes(big, 10);
        FAIL() << "a file beyond the limit was read";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.Message(), big + ": is too large (11 bytes; at most 10 bytes are read)");
    }
    try {
        ReadFileBytes(Fifo(), 10);
        FAIL() << "a pipe was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Message(), PathOf("fifo") + ": is a pipe, not a regular file");
    }
    EXPECT_EQ(ReadFileBytes(Written("small.vld", "abc"), 10), QByteArray("abc"));
}

TEST_F(FileBytesTest, SizesAreToldInBytesOrMegabytes) {
    EXPECT_EQ(ByteCountText(0), "0 bytes");
    EXPECT_EQ(ByteCountText((1 << 20) - 1), "1048575 bytes");
    EXPECT_EQ(ByteCountText(qint64(300) << 20), "300 MB");
    EXPECT_EQ(ByteCountText((qint64(3) << 20) - 1), "2 MB");
}

TEST_F(FileBytesTest, AtomicWriteReplacesTheFileWhole) {
    const QString path = Written("doc.vld", "old contents");
    WriteFileAtomically(path, "new");
    EXPECT_EQ(test::FileBytes(path), QByteArray("new"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"doc.vld"});
}

TEST_F(FileBytesTest, FailedAtomicWriteNamesTheFileAndTheSystemsReason) {
    const QString path = PathOf("no/such/folder/doc.vld");
    for (const auto& open : std::initializer_list<std::function<void()>>{
             [&] { WriteFileAtomically(path, "x"); }, [&] { OutputFile file(path); }}) {
        try {
            open();
            FAIL() << "a file was written into a missing folder";
        } catch (const FileError& error) {
            EXPECT_EQ(error.File(), path);
            EXPECT_TRUE(error.Reason().startsWith("cannot be written: ")) << error.what();
        }
    }
}

// A full disk, or here a file size limit, first takes part of a write. The
// save must fail with the system's reason, whether the bytes come in one
// large write or in small ones, and the old file must stay as it was.
TEST_F(FileBytesTest, WriteBeyondTheDisksRoomFailsWithTheSystemsReason) {
    constexpr rlim_t kRoom = 4096;
    const QByteArray old("the old document");
    for (const qsizetype piece : {qsizetype(64), qsizetype(1) << 20}) {
        const QString path = Written("doc.vld", old);
        const test::ChildEnd end = test::RunInChild(
            [&] {
                try {
                    OutputFile file(path);
                    const QByteArray bytes(piece, 'x');
                    for (qsizetype done = 0; done < 3 * qsizetype(kRoom); done += piece) {
                        file.Write(bytes.constData(), bytes.size());
                    }
                    file.Commit();
                } catch (const FileError& error) {
                    return error.Message() == path + ": cannot be written: File too large" ? 0 : 1;
                }
                return 2;
            },
            {{RLIMIT_FSIZE, kRoom}});
        EXPECT_TRUE(end.exited);
        EXPECT_EQ(end.status, 0) << "writes of " << piece << " bytes";
        EXPECT_EQ(test::FileBytes(path), old);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"doc.vld"});
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
