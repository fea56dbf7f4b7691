// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Work run in a forked child under resource limits, so that a test of a
// memory or file size ceiling fails instead of swapping the machine or
// filling its disk when the code under test breaks the ceiling.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

namespace velora::test {

// What a child ended with.
struct ChildEnd {
    bool exited = false;  // false: killed by a signal (a crash, or the limit)
    int status = -1;      // the exit status when it exited
};

// A status that says the work threw instead of returning.
inline constexpr int kChildThrew = 101;

// Runs work in a child process with the limits (resource, bytes) applied;
// its result is the child's exit status. A file size limit is met by a
// failing write, not a signal.
inline ChildEnd RunInChild(const std::function<int()>& work,
                           const std::vector<std::pair<int, rlim_t>>& limits) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        for (const auto& [resource, bytes] : limits) {
            const rlimit limit{bytes, bytes};
            if (setrlimit(resource, &limit) != 0) _exit(102);
        }
        int status = kChildThrew;
        try {
            status = work();
        } catch (...) {
        }
        _exit(status);
    }
    ChildEnd end;
    int raw = 0;
    if (child < 0 || waitpid(child, &raw, 0) != child) return end;
    end.exited = WIFEXITED(raw);
    if (end.exited) end.status = WEXITSTATUS(raw);
    return end;
}

}  // namespace velora::test
