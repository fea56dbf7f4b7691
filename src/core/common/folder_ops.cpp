// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/folder_ops.h"

#include "core/common/native_path.h"
#include "core/common/text_helpers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace velora {

namespace {
namespace fs = std::filesystem;

bool IsFolder(const QString& path) {
    std::error_code ignored;
    return fs::is_directory(NativePath(path), ignored);
}

bool IsLink(const QString& path) {
    std::error_code ignored;
    return fs::is_symlink(NativePath(path), ignored);
}

bool RemoveFile(const QString& path) { return ::unlink(NativeBytes(path).constData()) == 0; }

// A walk reports links to folders as folders; those go as links.
bool RemoveFolder(const QString& path) {
    if (IsLink(path)) return RemoveFile(path);
    return ::rmdir(NativeBytes(path).constData()) == 0;
}

QString WithoutTrailingSlashes(QString path) {
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    return path;
}
}  // namespace

bool CreateFolderPath(const QString& path, QStringList* attempted) {
    QString accumulated;
    int firstError = 0;
    for (const QString& piece : SplitList(path, QStringLiteral("/"))) {
        accumulated += piece + '/';
        if (::mkdir(NativeBytes(accumulated).constData(), 0777) != 0 && errno != EEXIST &&
            firstError == 0) {
            firstError = errno;
        }
        if (attempted) attempted->append(accumulated);
    }
    if (!accumulated.isEmpty() && IsFolder(accumulated)) return true;
    errno = firstError != 0 ? firstError : (accumulated.isEmpty() ? ENOENT : ENOTDIR);
    return false;
}

bool DeleteFolder(const QString& folder, const WalkKeepAlive& keepAlive) {
    const QString root = WithoutTrailingSlashes(folder);
    if (IsLink(root)) return RemoveFile(root);
    if (!IsFolder(root)) {
        errno = QFile::exists(root) ? ENOTDIR : ENOENT;
        return false;
    }
    QStringList files;
    QStringList folders;
    const bool listed = WalkFolder(
        root,
        [&](const QString& entry, bool isFile) {
            (isFile ? files : folders).append(entry);
            return true;
        },
        WalkFlag::FullPaths, QStringLiteral("*.*"), keepAlive);
    if (!listed) return false;
    for (const QString& file : files) {
        if (!RemoveFile(file)) return false;
    }
    // The walk lists a folder before its contents, so backwards every
    // subfolder goes before its parent.
    for (auto it = folders.crbegin(); it != folders.crend(); ++it) {
        if (!RemoveFolder(*it)) return false;
    }
    return ::rmdir(NativeBytes(root).constData()) == 0;
}

}  // namespace velora
