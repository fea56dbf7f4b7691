// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace velora {

// Runs work(0) on this thread and work(1) to work(count - 1) on threads of
// their own, and returns when all have ended. An exception that left a
// thread would end the program, out of memory included; the first one any
// part threw is thrown again here instead, once every part has ended.
template <typename Work>
void RunInParallel(int count, Work work) {
    std::mutex lock;
    std::exception_ptr failure;
    auto guarded = [&](int part) {
        try {
            work(part);
        } catch (...) {
            const std::lock_guard<std::mutex> hold(lock);
            if (!failure) failure = std::current_exception();
        }
    };
    {
        // Joined on every way out, also when starting a thread fails.
        std::vector<std::jthread> helpers;
        try {
            for (int part = 1; part < count; ++part) helpers.emplace_back(guarded, part);
        } catch (...) {
            const std::lock_guard<std::mutex> hold(lock);
            if (!failure) failure = std::current_exception();
        }
        if (!failure) guarded(0);
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace velora
