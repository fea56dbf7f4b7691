// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

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
    // Why the file was not read, worded to follow its name ("x.png: is a
    // pipe, not a regular file"), the same for every kind of file.
    QString reason;
};

// Reads the file when it is a regular file of at most maxSize bytes. A
// folder, pipe, device or socket is refused at once, without waiting for a
// writer or reading a byte. Throws nothing: each caller decides what the
// failure means for its work.
FileBytes ReadBoundedFile(const QString& path, qint64 maxSize);

// Reads a whole document file. Throws FileError naming the file when it
// cannot be opened or read or is no regular file, and FormatError when it is
// larger than maxSize.
QByteArray ReadFileBytes(const QString& path, qint64 maxSize);

// Opens a regular file for reading into file, which reads from its start; a
// folder, pipe, device or socket is refused at once, as by ReadBoundedFile.
// Throws FileError naming the file.
void OpenRegularFile(QFile& file, const QString& path);

// Writes the bytes through an OutputFile, so a failed save leaves the old
// file intact. Throws FileError naming the file.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Why a file of no bytes is refused, worded alike for every kind of file.
QString EmptyFileReason();

// "512 bytes", or whole megabytes from one megabyte on ("300 MB").
QString ByteCountText(qint64 bytes);

}  // namespace velora
