// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/exchange/transfer_cancel.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace velora {

// Lets one job at a time through, in the order their tickets were taken. A
// job takes its ticket before its thread starts, waits for its turn on the
// thread, and gives the turn on when its ticket goes.
class Turnstile {
public:
    class Ticket {
    public:
        Ticket(Ticket&& other) noexcept;
        Ticket& operator=(Ticket&&) = delete;
        Ticket(const Ticket&) = delete;
        ~Ticket();

        // Blocks until it is this ticket's turn; false (and the ticket
        // withdrawn) when the cancel was set first.
        bool WaitForTurn(const TransferCancel& cancel);

    private:
        friend class Turnstile;
        Ticket(Turnstile& turnstile, uint64_t number) : m_turnstile(&turnstile), m_number(number) {}

        Turnstile* m_turnstile;
        uint64_t m_number;
    };

    Ticket TakeTicket();

private:
    void Withdraw(uint64_t number);

    std::mutex m_mutex;
    std::condition_variable m_turnChanged;
    // Tickets in the order they were taken; the first one has the turn.
    std::deque<uint64_t> m_queue;
    uint64_t m_nextNumber = 0;
};

// The one turnstile of every send in this process, so that one job at a time
// talks to a server however many sends were started.
Turnstile& SendTurnstile();

}  // namespace velora
