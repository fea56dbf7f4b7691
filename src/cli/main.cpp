// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <QGuiApplication>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>

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

// A report can be long (info --rects of a large template); it goes out in
// pieces, so that it is never held a second time in another encoding.
void WriteText(const QString& text, std::FILE* stream) {
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype length = std::min(kPiece, text.size() - at);
        // A piece never ends between the two halves of a character.
        if (at + length < text.size() && text[at + length - 1].isHighSurrogate()) --length;
        const QByteArray piece = QStringView(text).mid(at, length).toLocal8Bit();
        std::fwrite(piece.constData(), 1, static_cast<size_t>(piece.size()), stream);
        at += length;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool onTerminal = isatty(STDERR_FILENO) != 0;
    std::FILE* report = TakeReportStream();
    // Whatever fails, out of memory included, ends in one line and status 1;
    // the commands' own failures are worded by RunCli.
    try {
        // An application object gives the image plugins and the settings
        // their places, and the fonts that drawings with text are read
        // with; no display is needed, nor used if there is one.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const velora::cli::CliResult result = velora::cli::RunCli(
            QCoreApplication::arguments().mid(1), onTerminal ? report : nullptr);
        WriteText(result.out, stdout);
        WriteText(result.err, report);
        std::fflush(report);
        return result.exitCode;
    } catch (const std::bad_alloc&) {
        std::fputs("velora-cli: not enough memory\n", report);
    } catch (const std::exception& error) {
        std::fprintf(report, "velora-cli: %s\n", error.what());
    }
    std::fflush(report);
    return 1;
}
