// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace velora {

// A whole file read in one go, or why it was not. Every reader of a file that
// is held in memory whole reads it through ReadBoundedFile, so that none can
// be made to pull a huge file, or an endless device, into memory.
struct FileBytes {
    enum class Status { Read, CannotOpen, NotRegularFile, TooLarge, CannotRead };
    Status status = Status::Read;
    QByteArray bytes;
    // The size the file system reports; set from TooLarge on.
    qint64 size = 0;
    // Why a file could not be opened or read: the system's reason, or "not a
    // regular file".
    QString cause;
};

// Reads the file when it is a regular file of at most maxSize bytes. Throws
// nothing: each caller words the failure as its users expect.
FileBytes ReadBoundedFile(const QString& path, qint64 maxSize);

// Reads a whole document file. Throws FileError naming the file when it
// cannot be opened or read, and FormatError when it is larger than maxSize.
QByteArray ReadFileBytes(const QString& path, qint64 maxSize);

// Writes the bytes through an OutputFile, so a failed save leaves the old
// file intact. Throws FileError naming the file.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace velora
