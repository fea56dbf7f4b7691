// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/ftp_connection.h"
#include "core/exchange/transfer_cancel.h"
#include "core/exchange/transfer_report.h"

#include <QString>

#include <vector>

namespace velora {

// What a download tells its window while it runs, and asks it.
class IDownloadObserver {
public:
    virtual ~IDownloadObserver() = default;
    // Whether files that the library already has in the server's version
    // are fetched again; asked for each file, so a choice made while the
    // run goes on counts from the next file on.
    virtual bool FetchAll() const { return false; }
    // A new profile's job starts.
    virtual void BeginProfile(ProfileKind) {}
    virtual void SetCaption(const QString& text) = 0;
    virtual void SetTotal(int total) = 0;
    virtual void SetDone(int done) = 0;
    // The URL of the file being fetched.
    virtual void SetCurrentFile(const QString& url) = 0;
};

struct DownloadJob {
    FtpServer server;
    QString remoteFolder;
    QString localFolder;
};

DownloadJob MakeDownloadJob(const SettingsRecord& record, ProfileKind kind);

struct DownloadReport {
    int downloaded = 0;
    // Files whose local copy was already the server's: as large, and
    // changed no earlier.
    int unchanged = 0;
    // Files and names passed over; the rest of the job went on.
    std::vector<TransferProblem> problems;
    // Why the job ended before its end: no connection, no such folder, the
    // connection lost. Empty when it went through.
    QString failure;
};

// Copies every file below the remote folder into the local folder, keeping
// the folder structure and replacing local files of the same name, except
// those whose local copy has the server's size and a time of change no
// earlier than the server's (unless the observer asks for every file). A
// fetched file keeps the server's time of change, so that the next run finds
// it unchanged whatever the two clocks say. Each file arrives in a temporary
// file beside its target and replaces it only when complete, so a broken or
// cancelled transfer leaves the old file as it was. Names that could climb
// out of the local folder are passed over and reported. Throws
// TransferCancelled when cancelled.
DownloadReport RunDownloadJob(const DownloadJob& job, IDownloadObserver& observer,
                              const TransferCancel& cancel);

struct ProfileDownload {
    ProfileKind kind;
    DownloadReport report;
};

// Runs the jobs of the given profiles in turn; a job that fails ends the
// run, and the later profiles are not tried.
std::vector<ProfileDownload> RunDownloads(const SettingsRecord& record,
                                          const std::vector<ProfileKind>& kinds,
                                          IDownloadObserver& observer,
                                          const TransferCancel& cancel);

}  // namespace velora
