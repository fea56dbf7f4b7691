// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/remote_paths.h"

#include "core/common/text_helpers.h"
#include "core/exchange/ftp_connection.h"
#include "core/exchange/ftp_listing.h"

#include <QStringList>

namespace velora {

namespace {
QString CollapseSlashes(QString path) {
    while (path.contains(QStringLiteral("//")))
        path.replace(QStringLiteral("//"), QStringLiteral("/"));
    return path;
}

bool ClimbsOut(const QString& relativePath) {
    const QStringList parts = relativePath.split('/', Qt::SkipEmptyParts);
    return parts.contains(QStringLiteral(".")) || parts.contains(QStringLiteral(".."));
}
}  // namespace

QString FileUrl(const QString& address, const QByteArray& path) {
    return QStringLiteral("ftp://") + address + RemoteText(path);
}

QByteArray JoinRemotePath(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

std::optional<QString> DownloadLocalPath(const QString& url, const QString& address,
                                         const QString& remoteFolder, const QString& localFolder) {
    const QString prefix = QStringLiteral("ftp://") + address + remoteFolder;
    if (!url.contains(prefix)) return std::nullopt;
    const QString rest = QString(url).remove(prefix);
    if (ClimbsOut(rest)) return std::nullopt;
    return CollapseSlashes(localFolder + '/' + rest);
}

QString SendRemotePath(const QString& localPath, const QString& localRoot,
                       const QString& remoteFolder) {
    QString folder = remoteFolder;
    if (!folder.endsWith('\\') && !folder.endsWith('/')) folder += '/';
    // Only the root at the start goes: the same text further on is part of
    // the file's own path.
    const QString relative =
        localPath.startsWith(localRoot) ? localPath.mid(localRoot.size()) : localPath;
    return QString(folder + relative).replace('\\', '/');
}

bool ServerFolderMaker::Make(const QString& folder) {
    bool created = false;
    QString accumulated;
    for (const QString& piece : SplitList(folder, QStringLiteral("/"))) {
        accumulated += piece + '/';
        if (m_asked.contains(accumulated)) {
            created = false;
            continue;
        }
        m_asked.insert(accumulated);
        created = m_connection.CreateDirectory(accumulated.toUtf8());
    }
    return created;
}

namespace {
const QByteArray kUploadSuffix = ".velora-upload";
}  // namespace

QByteArray UploadTemporaryPath(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return path.left(slash + 1) + '.' + path.mid(slash + 1) + kUploadSuffix;
}

bool IsUploadTemporaryName(const QByteArray& name) {
    return name.startsWith('.') && name.endsWith(kUploadSuffix);
}

}  // namespace velora
