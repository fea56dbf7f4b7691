// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/exchange/send_job.h"
#include "core/exchange/transfer_cancel.h"

#include <QObject>

#include <thread>
#include <vector>

namespace velora {

// Runs send jobs, each on a thread of its own, through the process's send
// turnstile: one job talks to a server at a time, in the order they were
// started. The threads touch no widget; they report through signals, which
// reach the window on its own thread.
class SendRunner : public QObject, private ISendObserver {
    Q_OBJECT
public:
    explicit SendRunner(QObject* parent = nullptr) : QObject(parent) {}
    ~SendRunner() override;

    // Queues the jobs; false (and nothing started) while earlier ones still
    // wait or run.
    bool Start(std::vector<SendJob> jobs);
    // Jobs started and not yet ended.
    int Pending() const { return m_pending; }

signals:
    void began();
    void statusLineChanged(int line, const QString& text);
    void aborted(const QString& reason);
    void finished(const QString& note);
    // A job ended, however; the last one leaves Pending() at 0.
    void jobEnded();

private:
    void Began() override { emit began(); }
    void SetStatusLine(int line, const QString& text) override {
        emit statusLineChanged(line, text);
    }
    void Aborted(const QString& reason) override { emit aborted(reason); }
    void Finished(const QString& note) override { emit finished(note); }
    void JoinThreads();

    TransferCancel m_cancel;
    std::vector<std::thread> m_threads;
    int m_pending = 0;
};

}  // namespace velora
