// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include <optional>

namespace velora {

class FtpConnection;

// How a remote file is named to the user: "ftp://" + address + its path
// from the server's root.
QString FileUrl(const QString& address, const QByteArray& path);

// A remote folder and a name joined with one "/".
QByteArray JoinRemotePath(const QByteArray& folder, const QByteArray& name);

// Where a downloaded file goes: its URL without "ftp://" + address + remote
// folder, below the local folder, with doubled "/" made single. The remote
// folder has to be written as the server names it: a folder given without
// its leading "/", for instance, is not found in the URL, and then the file
// has no local path (nullopt). Nor has one whose rest would climb out of
// the local folder through a "." or ".." part.
std::optional<QString> DownloadLocalPath(const QString& url, const QString& address,
                                         const QString& remoteFolder, const QString& localFolder);

// Where a sent file goes: the local path without the local root at its
// start, below the remote folder (which gets a trailing "/"), with every "\"
// turned into "/".
QString SendRemotePath(const QString& localPath, const QString& localRoot,
                       const QString& remoteFolder);

// Creates every folder along remote folder paths, outermost first: a path
// splits at "/" and each accumulated prefix, ending with "/", is asked for
// in turn ("/" first for a path from the root). Refusals, such as for a
// folder that exists, are passed over. Each folder is asked for once, however
// many files go into it.
class ServerFolderMaker {
public:
    explicit ServerFolderMaker(FtpConnection& connection) : m_connection(connection) {}
    // Whether the server created the last folder of the path (false also when
    // it was asked for before).
    bool Make(const QString& folder);

private:
    FtpConnection& m_connection;
    QSet<QString> m_asked;
};

// The name a file is uploaded under before it replaces its target: hidden,
// in the same folder, so that the rename stays on one disk of the server.
QByteArray UploadTemporaryPath(const QByteArray& path);
// Whether a listed name is such a file, still arriving or left by a broken
// upload: not a library file.
bool IsUploadTemporaryName(const QByteArray& name);

}  // namespace velora
