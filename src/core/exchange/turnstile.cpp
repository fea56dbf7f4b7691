// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/turnstile.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace velora {

namespace {
// How often a waiting job looks at its cancel.
constexpr std::chrono::milliseconds kCancelCheck(40);
// Marks a ticket whose turn was handed on by a move.
constexpr uint64_t kNoTicket = UINT64_MAX;
}  // namespace

Turnstile::Ticket Turnstile::TakeTicket() {
    std::lock_guard lock(m_mutex);
    m_queue.push_back(m_nextNumber);
    return Ticket(*this, m_nextNumber++);
}

void Turnstile::Withdraw(uint64_t number) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.erase(std::remove(m_queue.begin(), m_queue.end(), number), m_queue.end());
    }
    m_turnChanged.notify_all();
}

Turnstile::Ticket::Ticket(Ticket&& other) noexcept
    : m_turnstile(other.m_turnstile), m_number(std::exchange(other.m_number, kNoTicket)) {}

Turnstile::Ticket::~Ticket() {
    if (m_number != kNoTicket) m_turnstile->Withdraw(m_number);
}

bool Turnstile::Ticket::WaitForTurn(const TransferCancel& cancel) {
    if (m_number == kNoTicket) return false;
    std::unique_lock lock(m_turnstile->m_mutex);
    const std::deque<uint64_t>& queue = m_turnstile->m_queue;
    while (queue.empty() || queue.front() != m_number) {
        if (cancel.IsCancelled()) {
            lock.unlock();
            m_turnstile->Withdraw(std::exchange(m_number, kNoTicket));
            return false;
        }
        m_turnstile->m_turnChanged.wait_for(lock, kCancelCheck);
    }
    return true;
}

Turnstile& SendTurnstile() {
    static Turnstile turnstile;
    return turnstile;
}

}  // namespace velora
