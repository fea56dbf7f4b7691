// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_bytes.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"

#include <QFile>

namespace velora {

FileBytes ReadBoundedFile(const QString& path, qint64 maxSize) {
    FileBytes result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = FileBytes::Status::CannotOpen;
        result.cause = file.errorString();
        return result;
    }
    // A pipe or device has no size to check and may never end.
    if (file.isSequential()) {
        result.status = FileBytes::Status::NotRegularFile;
        result.cause = QStringLiteral("not a regular file");
        return result;
    }
    result.size = file.size();
    if (result.size > maxSize) {
        result.status = FileBytes::Status::TooLarge;
        return result;
    }
    result.bytes = file.read(result.size);
    if (file.error() != QFileDevice::NoError || result.bytes.size() != result.size) {
        result.status = FileBytes::Status::CannotRead;
        result.cause = file.errorString();
        result.bytes.clear();
    }
    return result;
}

QByteArray ReadFileBytes(const QString& path, qint64 maxSize) {
    FileBytes file = ReadBoundedFile(path, maxSize);
    switch (file.status) {
        case FileBytes::Status::Read:
            return std::move(file.bytes);
        case FileBytes::Status::CannotOpen:
            throw FileError(QStringLiteral("Cannot open \"%1\": %2").arg(path, file.cause));
        case FileBytes::Status::TooLarge:
            throw FormatError(QStringLiteral("\"%1\" is too large to be a document (%2 bytes)")
                                  .arg(path)
                                  .arg(file.size));
        case FileBytes::Status::NotRegularFile:
        case FileBytes::Status::CannotRead:
            break;
    }
    throw FileError(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.cause));
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    OutputFile file(path, QStringLiteral("Cannot write \"%1\": %2"));
    file.Write(bytes.constData(), bytes.size());
    file.Commit();
}

}  // namespace velora
