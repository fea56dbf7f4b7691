// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

namespace velora {

// Lets one thread, or a signal handler, stop the transfers that another
// thread runs. The transfers look at it while data flows and at least every
// few dozen milliseconds while they wait for a server, so a cancel takes
// effect at once without stopping any thread from outside.
class TransferCancel {
public:
    void Cancel() { m_cancelled.store(true); }
    bool IsCancelled() const { return m_cancelled.load(); }

private:
    static_assert(std::atomic<bool>::is_always_lock_free,
                  "a signal handler must be able to cancel");
    std::atomic<bool> m_cancelled{false};
};

}  // namespace velora
