// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/path_parts.h"

namespace velora {

namespace {
struct PathParts {
    QString directory;
    QString title;
    QString extension;
};

PathParts SplitPath(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf('/') + 1;
    const qsizetype dot = path.lastIndexOf('.');
    PathParts parts;
    parts.directory = path.left(nameStart);
    if (dot >= nameStart) {
        parts.title = path.mid(nameStart, dot - nameStart);
        parts.extension = path.mid(dot);
    } else {
        parts.title = path.mid(nameStart);
    }
    return parts;
}
}  // namespace

QString GetPathTitle(const QString& path) { return SplitPath(path).title; }
QString GetPathExt(const QString& path) { return SplitPath(path).extension; }
QString GetPathDir(const QString& path) { return SplitPath(path).directory; }
QString GetPathDrive(const QString&) { return {}; }

QString SetTrailingBackslash(const QString& path, bool add) {
    QString result = path.trimmed();
    if (result.isEmpty() || result == QLatin1String("/")) return result;
    if (add && !result.endsWith('/')) result += '/';
    if (!add && result.endsWith('/')) result.chop(1);
    return result;
}

}  // namespace velora
