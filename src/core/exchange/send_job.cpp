// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/send_job.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/folder_walk.h"
#include "core/common/path_parts.h"
#include "core/exchange/exchange_profiles.h"
#include "core/exchange/remote_paths.h"

#include <QFile>

namespace velora {

namespace {
// Sends one file; returns why it failed, empty when it was sent.
// The local file is opened first: one that cannot be read (or is a pipe that
// would block the job) must not cost the server its copy.
QString SendFile(FtpConnection& connection, const QString& localPath, const QString& remotePath) {
    QFile file;
    try {
        OpenRegularFile(file, localPath);
    } catch (const FileError& error) {
        return error.Message();
    }
    CreateServerFolderPath(GetPathDir(remotePath), connection);
    const QByteArray remoteBytes = remotePath.toUtf8();
    connection.Remove(remoteBytes);
    try {
        connection.Upload(file, remoteBytes);
    } catch (const FtpError& error) {
        return error.Message();
    }
    return {};
}
}  // namespace

SendJob MakeSendJob(const SettingsRecord& record, ProfileKind kind, QStringList files) {
    return {kind, ServerOf(record, kind), record.Profile(kind).folder,
            LibraryFolder(record.folders, kind), std::move(files)};
}

bool IsOfferedForSending(const QString& path, const QString& texturesFolder) {
    const QString lower = path.toLower();
    return lower.contains(texturesFolder.toLower()) || lower.endsWith(QStringLiteral(".mtp")) ||
           lower.endsWith(QStringLiteral(".vld"));
}

QStringList FilesToSend(const QString& folder, const QString& texturesFolder) {
    QStringList files;
    WalkFolder(
        folder,
        [&](const QString& entry, bool isFile) {
            if (isFile && IsOfferedForSending(entry, texturesFolder)) files.append(entry);
            return true;
        },
        WalkFlag::FullPaths);
    return files;
}

QString RunSendJob(const SendJob& job, ISendObserver& observer, const TransferCancel& cancel) {
    observer.SetStatusLine(1, QStringLiteral("Connecting to ...") + job.server.address);
    observer.SetStatusLine(2, {});
    try {
        FtpConnection connection(job.server, cancel);
        ConnectOrExplain(connection, job.server.address);
        observer.SetStatusLine(1, QStringLiteral("Sending files..."));
        const auto count = job.files.size();
        for (qsizetype i = 0; i < count; ++i) {
            const QString& localPath = job.files[i];
            observer.SetStatusLine(2, QStringLiteral("File %1 of %2: %3")
                                          .arg(i + 1)
                                          .arg(count)
                                          .arg(GetPathTitle(localPath) + GetPathExt(localPath)));
            const QString remotePath = SendRemotePath(localPath, job.localRoot, job.remoteFolder);
            const QString failure = SendFile(connection, localPath, remotePath);
            if (!failure.isEmpty()) return failure;
            observer.FileSent(static_cast<int>(i + 1), static_cast<int>(count));
        }
    } catch (const FtpError& error) {
        return error.Message();
    }
    observer.SetStatusLine(1, QStringLiteral("Done."));
    observer.SetStatusLine(2, {});
    return {};
}

void RunSendJobInTurn(const SendJob& job, Turnstile::Ticket ticket, ISendObserver& observer,
                      const TransferCancel& cancel) {
    if (!ticket.WaitForTurn(cancel)) return;
    observer.Began();
    try {
        const QString failure = RunSendJob(job, observer, cancel);
        if (failure.isEmpty())
            observer.Finished();
        else
            observer.Aborted(failure);
    } catch (const TransferCancelled& cancelled) {
        observer.Aborted(cancelled.Message());
    } catch (const std::exception&) {
        // Nothing may leave a worker thread; the window still learns that the
        // job ended.
        observer.Aborted(QStringLiteral("Unexpected error!"));
    }
}

}  // namespace velora
