// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/download_job.h"

#include "core/common/error_text.h"
#include "core/common/folder_ops.h"
#include "core/common/output_file.h"
#include "core/common/path_parts.h"
#include "core/exchange/exchange_profiles.h"
#include "core/exchange/remote_paths.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>

namespace velora {

namespace {
// Deeper than any library; a server whose folders lead back into themselves
// must not keep the listing going for ever.
constexpr int kMaxFolderDepth = 64;

struct RemoteFile {
    QString url;
    QByteArray path;
};

struct RemoteTree {
    std::vector<RemoteFile> files;
    std::vector<TransferProblem> problems;
};

// Lists every file below the folder: all entries of one level first, in the
// server's order, then each subfolder in turn.
void ListTree(FtpConnection& connection, const QString& address, const QByteArray& folder,
              int depth, RemoteTree& tree) {
    if (depth > kMaxFolderDepth) {
        tree.problems.push_back(
            {FileUrl(address, folder),
             QCoreApplication::translate("velora", "folders nest deeper than %1 levels")
                 .arg(kMaxFolderDepth)});
        return;
    }
    const FtpListing listing = connection.List(folder);
    for (const QByteArray& name : listing.unsafeNames) {
        tree.problems.push_back(
            {FileUrl(address, JoinRemotePath(folder, name)),
             QCoreApplication::translate("velora",
                                         "the name could lead outside the library; passed over")});
    }
    std::vector<QByteArray> subfolders;
    for (const RemoteEntry& entry : listing.entries) {
        if (IsUploadTemporaryName(entry.name)) continue;
        const QByteArray path = JoinRemotePath(folder, entry.name);
        if (entry.isDirectory)
            subfolders.push_back(path);
        else
            tree.files.push_back({FileUrl(address, path), path});
    }
    for (const QByteArray& subfolder : subfolders)
        ListTree(connection, address, subfolder, depth + 1, tree);
}

void DownloadFile(FtpConnection& connection, const QByteArray& remotePath,
                  const QString& localPath) {
    const QString folder = GetPathDir(localPath);
    if (!CreateFolderPath(folder)) throw FileError(folder + ": " + GetErrorText(errno));
    OutputFile file(localPath);
    const QDateTime modified = connection.Download(remotePath, file.Device());
    if (modified.isValid()) file.SetModified(modified);
    file.Commit();
}

// A server that cannot say the size or the time leaves the file to be
// fetched, as does one that cannot find it: the download then names why.
bool IsUnchanged(FtpConnection& connection, const QByteArray& remotePath,
                 const QString& localPath) {
    const QFileInfo local(localPath);
    if (!local.isFile()) return false;
    RemoteFileInfo remote;
    try {
        remote = connection.Stat(remotePath);
    } catch (const FtpError& error) {
        if (error.SessionLost()) throw;
        return false;
    }
    return remote.size >= 0 && remote.size == local.size() && remote.modified.isValid() &&
           local.lastModified() >= remote.modified;
}

void DownloadFiles(FtpConnection& connection, const DownloadJob& job,
                   const std::vector<RemoteFile>& files, IDownloadObserver& observer,
                   DownloadReport& report) {
    for (size_t i = 0; i < files.size(); ++i) {
        const RemoteFile& file = files[i];
        observer.SetCurrentFile(file.url);
        const std::optional<QString> localPath =
            DownloadLocalPath(file.url, job.server.address, job.remoteFolder, job.localFolder);
        if (!localPath) {
            report.problems.push_back(
                {file.url,
                 QCoreApplication::translate("velora",
                                             "not below the remote folder \"%1\" as the server "
                                             "names it; passed over")
                     .arg(job.remoteFolder)});
        } else {
            try {
                if (!observer.FetchAll() && IsUnchanged(connection, file.path, *localPath)) {
                    ++report.unchanged;
                } else {
                    DownloadFile(connection, file.path, *localPath);
                    ++report.downloaded;
                }
            } catch (const FtpError& error) {
                if (error.SessionLost()) throw;
                report.problems.push_back({file.url, error.Reason()});
            } catch (const FileError& error) {
                report.problems.push_back({file.url, error.Message()});
            }
        }
        observer.SetDone(static_cast<int>(i + 1));
    }
}
}  // namespace

DownloadJob MakeDownloadJob(const SettingsRecord& record, ProfileKind kind) {
    return {ServerOf(record, kind), record.Profile(kind).folder,
            LibraryFolder(record.folders, kind)};
}

DownloadReport RunDownloadJob(const DownloadJob& job, IDownloadObserver& observer,
                              const TransferCancel& cancel) {
    DownloadReport report;
    try {
        observer.SetCaption(QCoreApplication::translate("velora", "Connecting to ...") +
                            job.server.address);
        FtpConnection connection(job.server, cancel);
        ConnectOrExplain(connection, job.server.address);
        observer.SetCaption(QCoreApplication::translate("velora", "Receiving the list..."));
        const QByteArray start = connection.SetCurrentDirectory(job.remoteFolder.toUtf8());
        RemoteTree tree;
        ListTree(connection, job.server.address, start, 0, tree);
        report.problems = std::move(tree.problems);
        observer.SetTotal(static_cast<int>(tree.files.size()));
        observer.SetCaption(QCoreApplication::translate("velora", "Downloading..."));
        DownloadFiles(connection, job, tree.files, observer, report);
    } catch (const FtpError& error) {
        report.failure = error.Message();
    }
    observer.SetCaption(QCoreApplication::translate("velora", "Finishing..."));
    return report;
}

std::vector<ProfileDownload> RunDownloads(const SettingsRecord& record,
                                          const std::vector<ProfileKind>& kinds,
                                          IDownloadObserver& observer,
                                          const TransferCancel& cancel) {
    std::vector<ProfileDownload> runs;
    for (ProfileKind kind : kinds) {
        observer.BeginProfile(kind);
        runs.push_back({kind, RunDownloadJob(MakeDownloadJob(record, kind), observer, cancel)});
        if (!runs.back().report.failure.isEmpty()) break;
    }
    return runs;
}

}  // namespace velora
