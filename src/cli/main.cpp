// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

// Image decoders write their own complaints straight to stderr (a truncated
// PNG, an unknown TIFF tag) and so does Qt, but the tool promises one line of
// its own there. While it runs, the process's stderr goes to /dev/null and
// the tool writes through a copy of the real one. VELORA_DEBUG keeps the
// libraries' messages.
std::FILE* TakeReportStream() {
    if (qEnvironmentVariableIsSet("VELORA_DEBUG")) return stderr;
    std::fflush(stderr);
    const int copy = dup(STDERR_FILENO);
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::FILE* report = copy >= 0 && devNull >= 0 ? fdopen(copy, "w") : nullptr;
    if (!report) {
        if (copy >= 0) close(copy);
        if (devNull >= 0) close(devNull);
        return stderr;
    }
    dup2(devNull, STDERR_FILENO);
    close(devNull);
    return report;
}

}  // namespace

int main(int argc, char** argv) {
    const bool onTerminal = isatty(STDERR_FILENO) != 0;
    std::FILE* report = TakeReportStream();
    // An application object gives the image plugins and the settings their
    // places; no display is needed.
    QCoreApplication app(argc, argv);
    const velora::cli::CliResult result =
        velora::cli::RunCli(QCoreApplication::arguments().mid(1), onTerminal ? report : nullptr);
    std::fputs(result.out.toLocal8Bit().constData(), stdout);
    std::fputs(result.err.toLocal8Bit().constData(), report);
    std::fflush(report);
    return result.exitCode;
}
