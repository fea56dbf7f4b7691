// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/download_job.h"
#include "core/exchange/transfer_cancel.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <thread>
#include <vector>

namespace velora {

// Runs the download of the given profiles on a thread of its own. It
// touches no widget: it reports through signals, which reach the window on
// its own thread.
class DownloadWorker : public QObject, private IDownloadObserver {
    Q_OBJECT
public:
    explicit DownloadWorker(QObject* parent = nullptr) : QObject(parent) {}
    ~DownloadWorker() override { Stop(); }

    // Starts the run; a worker runs once.
    void Start(const SettingsRecord& settings, std::vector<ProfileKind> kinds);
    // Cancels the run and waits for its thread, which ends at once.
    void Stop();
    // Whether unchanged files are fetched too; counts from the next file on.
    void SetFetchAll(bool fetchAll) { m_fetchAll.store(fetchAll); }

signals:
    void captionChanged(const QString& text);
    void totalChanged(int total);
    void doneChanged(int done);
    void currentFileChanged(const QString& url);
    // The run is over: how many files were downloaded, found unchanged and
    // passed over, the failure that ended it early, if any, and the lines
    // naming the files passed over. Not sent after a cancel.
    void finished(int downloaded, int unchanged, int failed, const QString& failure,
                  const QStringList& problems);

private:
    void Run(SettingsRecord settings, std::vector<ProfileKind> kinds);

    void SetCaption(const QString& text) override { emit captionChanged(text); }
    void SetTotal(int total) override { emit totalChanged(total); }
    void SetDone(int done) override { emit doneChanged(done); }
    void SetCurrentFile(const QString& url) override { emit currentFileChanged(url); }
    bool FetchAll() const override { return m_fetchAll.load(); }

    TransferCancel m_cancel;
    std::atomic<bool> m_fetchAll{false};
    std::thread m_thread;
};

}  // namespace velora
