// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/send_job.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/folder_walk.h"
#include "core/common/path_parts.h"
#include "core/exchange/exchange_profiles.h"
#include "core/exchange/remote_paths.h"

#include <QCoreApplication>
#include <QFile>

namespace velora {

namespace {
// How the files of one job reach the server.
class FileSender {
public:
    explicit FileSender(FtpConnection& connection)
        : m_connection(connection), m_folders(connection) {}

    // Sends one file; returns why it failed, empty when it was sent.
    // The local file is opened first: one that cannot be read (or is a pipe
    // that would block the job) must not cost the server its copy.
    QString Send(const QString& localPath, const QString& remotePath, SendReport& report) {
        QFile file;
        try {
            OpenRegularFile(file, localPath);
        } catch (const FileError& error) {
            return error.Message();
        }
        m_folders.Make(GetPathDir(remotePath));
        const QByteArray target = remotePath.toUtf8();
        try {
            if (!m_renameRefused && UploadAndRename(file, target)) return {};
            m_connection.Remove(target);
            m_connection.Upload(file, target);
            ++report.replacedByDeleting;
        } catch (const FtpError& error) {
            return error.Message();
        }
        return {};
    }

private:
    // False, with the source rewound, when the server refused the rename;
    // the job then replaces files the old way.
    bool UploadAndRename(QFile& file, const QByteArray& target) {
        const QByteArray temporary = UploadTemporaryPath(target);
        try {
            m_connection.Upload(file, temporary);
            ExpectWhole(temporary, file.size());
        } catch (const FtpError& error) {
            if (!error.SessionLost()) RemoveQuietly(temporary);
            throw FtpError(RemoteText(target), error.Reason(), error.SessionLost());
        }
        if (m_connection.Rename(temporary, target)) return true;
        m_renameRefused = true;
        RemoveQuietly(temporary);
        if (!file.seek(0)) throw FileError(file.fileName(), file.errorString());
        return false;
    }

    // A link that drops at the wrong moment can leave libcurl content with an
    // upload the server got only part of; the old copy is replaced by
    // nothing less than the whole file. A server that does not tell the
    // size is trusted.
    void ExpectWhole(const QByteArray& path, qint64 size) {
        const qint64 arrived = m_connection.Stat(path).size;
        if (arrived >= 0 && arrived != size) {
            throw FtpError(
                RemoteText(path),
                QCoreApplication::translate("velora", "the server received %1 of %2 bytes")
                    .arg(arrived)
                    .arg(size),
                false);
        }
    }

    // Leftovers are tidied where the server still answers; the failure that
    // made them is what the user learns.
    void RemoveQuietly(const QByteArray& path) {
        try {
            m_connection.Remove(path);
        } catch (const FtpError&) {
        }
    }

    FtpConnection& m_connection;
    ServerFolderMaker m_folders;
    bool m_renameRefused = false;
};
}  // namespace

QString SendReport::Note() const {
    if (replacedByDeleting == 0) return {};
    return QCoreApplication::translate(
               "velora",
               "The server refused to rename files, so %1 file(s) replaced their old copy "
               "by deleting it first.")
        .arg(replacedByDeleting);
}

SendJob MakeSendJob(const SettingsRecord& record, ProfileKind kind, QStringList files) {
    return {kind, ServerOf(record, kind), record.Profile(kind).folder,
            LibraryFolder(record.folders, kind), std::move(files)};
}

bool IsOfferedForSending(const QString& path, const QString& texturesFolder) {
    const QString lower = path.toLower();
    QString textures = texturesFolder.toLower();
    if (!textures.endsWith('/')) textures += '/';
    return lower.startsWith(textures) || lower.endsWith(QStringLiteral(".mtp")) ||
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

SendReport RunSendJob(const SendJob& job, ISendObserver& observer, const TransferCancel& cancel) {
    SendReport report;
    observer.SetStatusLine(
        1, QCoreApplication::translate("velora", "Connecting to ...") + job.server.address);
    observer.SetStatusLine(2, {});
    try {
        FtpConnection connection(job.server, cancel);
        ConnectOrExplain(connection, job.server.address);
        observer.SetStatusLine(1, QCoreApplication::translate("velora", "Sending files..."));
        FileSender sender(connection);
        const auto count = job.files.size();
        for (qsizetype i = 0; i < count; ++i) {
            const QString& localPath = job.files[i];
            observer.SetStatusLine(2, QCoreApplication::translate("velora", "File %1 of %2: %3")
                                          .arg(i + 1)
                                          .arg(count)
                                          .arg(GetPathTitle(localPath) + GetPathExt(localPath)));
            const QString remotePath = SendRemotePath(localPath, job.localRoot, job.remoteFolder);
            report.failure = sender.Send(localPath, remotePath, report);
            if (!report.failure.isEmpty()) return report;
            ++report.sent;
            observer.FileSent(static_cast<int>(i + 1), static_cast<int>(count));
        }
    } catch (const FtpError& error) {
        report.failure = error.Message();
        return report;
    }
    observer.SetStatusLine(1, QCoreApplication::translate("velora", "Done."));
    observer.SetStatusLine(2, {});
    return report;
}

void RunSendJobInTurn(const SendJob& job, Turnstile::Ticket ticket, ISendObserver& observer,
                      const TransferCancel& cancel) {
    if (!ticket.WaitForTurn(cancel)) return;
    observer.Began();
    try {
        const SendReport report = RunSendJob(job, observer, cancel);
        const QString note = report.Note();
        if (report.failure.isEmpty())
            observer.Finished(note);
        else
            observer.Aborted(note.isEmpty() ? report.failure : report.failure + '\n' + note);
    } catch (const TransferCancelled& cancelled) {
        observer.Aborted(cancelled.Message());
    } catch (const std::exception&) {
        // Nothing may leave a worker thread; the window still learns that the
        // job ended.
        observer.Aborted(QCoreApplication::translate("velora", "Unexpected error!"));
    }
}

}  // namespace velora
