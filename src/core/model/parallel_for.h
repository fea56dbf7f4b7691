#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace velora {

// Runs work(i) for every i below count on up to maxThreads threads, the
// caller's among them, each taking the next index when it is done with one.
// When items throw, the exception of the lowest of them is rethrown once
// every thread has finished; the other items still run.
template <typename Work>
void ParallelFor(size_t count, unsigned maxThreads, const Work& work) {
    std::atomic<size_t> next{0};
    std::mutex failureLock;
    std::exception_ptr failure;
    size_t failedItem = count;
    auto run = [&] {
        for (size_t i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (i < failedItem) {
                    failedItem = i;
                    failure = std::current_exception();
                }
            }
        }
    };
    const size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, maxThreads);
    const size_t threads = std::min(cores, count);
    {
        std::vector<std::jthread> helpers;
        for (size_t i = 1; i < threads; ++i) helpers.emplace_back(run);
        run();
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace velora
