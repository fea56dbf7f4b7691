// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/send_runner.h"

#include "core/exchange/turnstile.h"

namespace velora {

SendRunner::~SendRunner() {
    m_cancel.Cancel();
    JoinThreads();
}

void SendRunner::JoinThreads() {
    for (std::thread& thread : m_threads) thread.join();
    m_threads.clear();
}

bool SendRunner::Start(std::vector<SendJob> jobs) {
    if (m_pending > 0) return false;
    JoinThreads();
    for (SendJob& job : jobs) {
        ++m_pending;
        m_threads.emplace_back(
            [this](SendJob job, Turnstile::Ticket ticket) {
                RunSendJobInTurn(job, std::move(ticket), *this, m_cancel);
                QMetaObject::invokeMethod(this, [this] {
                    --m_pending;
                    emit jobEnded();
                });
            },
            std::move(job), SendTurnstile().TakeTicket());
    }
    return true;
}

}  // namespace velora
