// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/ftp_connection.h"
#include "core/exchange/transfer_cancel.h"
#include "core/exchange/transfer_report.h"

#include <QString>

#include <vector>

namespace velora {

// What a download tells its window while it runs.
class IDownloadObserver {
public:
    virtual ~IDownloadObserver() = default;
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
    // Files and names passed over; the rest of the job went on.
    std::vector<TransferProblem> problems;
    // Why the job ended before its end: no connection, no such folder, the
    // connection lost. Empty when it went through.
    QString failure;
};

// Copies every file below the remote folder into the local folder, keeping
// the folder structure and replacing local files of the same name. Each
// file arrives in a temporary file beside its target and replaces it only
// when complete, so a broken or cancelled transfer leaves the old file as
// it was. Names that could climb out of the local folder are passed over
// and reported. Throws TransferCancelled when cancelled.
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
