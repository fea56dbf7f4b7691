// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/ftp_connection.h"
#include "core/exchange/transfer_cancel.h"
#include "core/exchange/turnstile.h"

#include <QString>
#include <QStringList>

namespace velora {

// What a send job tells its window.
class ISendObserver {
public:
    virtual ~ISendObserver() = default;
    // The job has its turn and starts.
    virtual void Began() = 0;
    // Status line 1 or 2.
    virtual void SetStatusLine(int line, const QString& text) = 0;
    // Another file arrived on the server.
    virtual void FileSent(int sent, int total) {
        Q_UNUSED(sent);
        Q_UNUSED(total);
    }
    virtual void Aborted(const QString& reason) = 0;
    // Everything was sent; the note says what the user should know about
    // how (empty when nothing).
    virtual void Finished(const QString& note) = 0;
};

struct SendJob {
    ProfileKind kind = ProfileKind::Templates;
    FtpServer server;
    QString remoteFolder;
    QString localRoot;
    // Full local paths, each below the local root.
    QStringList files;
};

SendJob MakeSendJob(const SettingsRecord& record, ProfileKind kind, QStringList files);

// Whether a library file is offered for sending: every file below the
// textures folder, and templates and designs (".mtp", ".vld") anywhere.
// Letter case does not matter.
bool IsOfferedForSending(const QString& path, const QString& texturesFolder);

// Every file below the folder that is offered for sending, in walk order.
QStringList FilesToSend(const QString& folder, const QString& texturesFolder);

struct SendReport {
    int sent = 0;
    // Files sent while the server refused renames: each replaced its old
    // copy by deleting it first, so a broken upload would have lost it.
    int replacedByDeleting = 0;
    // Why the job ended early: the file and the reason. Empty when
    // everything was sent.
    QString failure;

    // What the user should know about how the files were replaced; empty
    // when every file went the safe way.
    QString Note() const;
};

// Uploads the job's files, each to its path below the remote folder, whose
// folders are created once per job. A file goes to a temporary name in its
// folder and is then renamed over the old copy, so a broken upload leaves
// the server's copy whole and its temporary file is removed where the
// connection still allows. Where the server refuses the rename, the job
// falls back to deleting the old copy and uploading in its place. The first
// file that cannot be sent ends the job. Throws TransferCancelled when
// cancelled.
SendReport RunSendJob(const SendJob& job, ISendObserver& observer, const TransferCancel& cancel);

// Waits for the ticket's turn, then runs the job and reports how it ended.
// A job cancelled while it waits reports nothing.
void RunSendJobInTurn(const SendJob& job, Turnstile::Ticket ticket, ISendObserver& observer,
                      const TransferCancel& cancel);

}  // namespace velora
