// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_copy.h"

#include "core/common/path_parts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velora {

namespace {

CopyResult Failure(const QString& target, const QString& error) {
    return {CopyOutcome::Failed, target, error};
}

// Streams the bytes through a save file, so a copy that fails half way
// leaves nothing but the old target behind.
CopyResult CopyBytes(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return Failure(target, in.errorString());
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) return Failure(target, out.errorString());
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (in.error() != QFileDevice::NoError) return Failure(target, in.errorString());
        if (out.write(chunk) != chunk.size()) return Failure(target, out.errorString());
    }
    if (!out.commit()) return Failure(target, out.errorString());
    return {CopyOutcome::Copied, target, {}};
}

}  // namespace

CopyResult CopyFileToFolder(const QString& source, const QString& folder, bool overwrite) {
    const QString target = SetTrailingBackslash(folder) + GetPathTitle(source) + GetPathExt(source);
    const QFileInfo sourceInfo(source);
    const QFileInfo targetInfo(target);
    if (!sourceInfo.isFile()) {
        return Failure(target, sourceInfo.exists()
                                   ? QCoreApplication::translate("velora", "Not a file")
                                   : QCoreApplication::translate("velora", "No such file"));
    }
    if (targetInfo.exists()) {
        if (sourceInfo.canonicalFilePath() == targetInfo.canonicalFilePath()) {
            return {CopyOutcome::SameFile, target, {}};
        }
        if (!overwrite)
            return Failure(target,
                           QCoreApplication::translate("velora", "A file of that name exists"));
        if (!targetInfo.isFile())
            return Failure(target,
                           QCoreApplication::translate("velora", "A folder of that name exists"));
    }
    return CopyBytes(source, target);
}

}  // namespace velora
