#pragma once

#include <QByteArray>
#include <QString>

namespace velora {

// Reads a whole file. Throws FileError naming the file when it cannot be
// opened or read, and FormatError when it is larger than maxSize, so that a
// huge file is never pulled into memory.
QByteArray ReadFileBytes(const QString& path, qint64 maxSize);

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target only once everything is written, so a failed save leaves
// the old file intact. Throws FileError naming the file.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace velora
