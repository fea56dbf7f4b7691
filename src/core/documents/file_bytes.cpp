#include "core/documents/file_bytes.h"

#include "core/common/errors.h"

#include <QFile>
#include <QSaveFile>

namespace velora {

QByteArray ReadFileBytes(const QString& path, qint64 maxSize) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    }
    const qint64 size = file.size();
    if (size > maxSize) {
        throw FormatError(
            QStringLiteral("\"%1\" is too large to be a document (%2 bytes)").arg(path).arg(size));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != size) {
        throw FileError(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    }
    return bytes;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never fall back to writing the target in place: that would destroy the
    // old file when the write fails half way.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        // The temporary file goes away with the QSaveFile; the target is untouched.
        throw FileError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    }
}

}  // namespace velora
