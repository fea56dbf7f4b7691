// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/download_worker.h"

#include <QCoreApplication>

namespace velora {

namespace {
// Enough lines to see what went wrong in a message box that still fits.
constexpr int kProblemLinesShown = 12;
}  // namespace

void DownloadWorker::Start(const SettingsRecord& settings, std::vector<ProfileKind> kinds) {
    if (m_thread.joinable()) return;
    m_thread = std::thread(&DownloadWorker::Run, this, settings, std::move(kinds));
}

void DownloadWorker::Stop() {
    m_cancel.Cancel();
    if (m_thread.joinable()) m_thread.join();
}

void DownloadWorker::Run(SettingsRecord settings, std::vector<ProfileKind> kinds) {
    QString failure;
    std::vector<TransferProblem> problems;
    int downloaded = 0;
    int unchanged = 0;
    try {
        for (ProfileDownload& run : RunDownloads(settings, kinds, *this, m_cancel)) {
            downloaded += run.report.downloaded;
            unchanged += run.report.unchanged;
            if (!run.report.failure.isEmpty()) failure = run.report.failure;
            problems.insert(problems.end(), run.report.problems.begin(), run.report.problems.end());
        }
    } catch (const TransferCancelled&) {
        return;
    } catch (const std::exception&) {
        failure = QCoreApplication::translate("velora", "Unexpected error!");
    }
    emit finished(downloaded, unchanged, static_cast<int>(problems.size()), failure,
                  ProblemLines(problems, kProblemLinesShown));
}

}  // namespace velora
