// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace velora::clitest {
namespace {

// What the tool writes straight to the process's stderr (the progress bar)
// while it runs, caught in a file.
class ProgressTest : public CliTest {
protected:
    QByteArray StderrDuring(const QStringList& args, bool onTerminal, cli::CliResult* result) {
        const QByteArray caught = PathOf("stderr.txt").toLocal8Bit();
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        const int file = open(caught.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(file, 0);
        dup2(file, STDERR_FILENO);
        close(file);
        *result = cli::RunCli(args, onTerminal ? stderr : nullptr);
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        return ReadBytes(PathOf("stderr.txt"));
    }
};

TEST_F(ProgressTest, BarIsDrawnOnATerminalAndClearedAtTheEnd) {
    const QStringList import{"import",          WriteShapesDxf(), "-o",
                             PathOf("out.mtp"), "--size",         "400x80"};
    cli::CliResult result;
    const QByteArray drawn = StderrDuring(import, true, &result);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(drawn.contains("Creating bitmap...")) << drawn.constData();
    EXPECT_TRUE(drawn.contains("100%")) << drawn.constData();
    // The line is wiped, so whatever follows starts on a clean line.
    EXPECT_TRUE(drawn.endsWith("\r\033[K")) << drawn.constData();
    EXPECT_TRUE(result.err.isEmpty());
}

// The report on stdout follows the bar on the same terminal: the bar's
// stream, buffered as a file is, must have wiped the line by the time the
// command returns.
TEST_F(ProgressTest, BarIsWipedBeforeTheCommandReturns) {
    const QStringList import{"import",          WriteShapesDxf(), "-o",
                             PathOf("out.mtp"), "--size",         "400x80"};
    std::FILE* bar = std::fopen(PathOf("bar.txt").toLocal8Bit().constData(), "w");
    ASSERT_NE(bar, nullptr);
    const cli::CliResult result = cli::RunCli(import, bar);
    const QByteArray written = ReadBytes(PathOf("bar.txt"));
    std::fclose(bar);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(written.contains("100%")) << written.constData();
    EXPECT_TRUE(written.endsWith("\r\033[K")) << written.constData();
}

TEST_F(ProgressTest, NothingIsDrawnElsewhere) {
    const QStringList import{"import",          WriteShapesDxf(), "-o",
                             PathOf("out.mtp"), "--size",         "400x80"};
    cli::CliResult result;
    EXPECT_TRUE(StderrDuring(import, false, &result).isEmpty());
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(ProgressTest, ExportDrawsItsBarOnATerminal) {
    const QString design = ImportShapes();
    const QStringList exportArgs{"export", design, "-o", PathOf("big.png"), "--size", "2000x"};
    cli::CliResult result;
    const QByteArray drawn = StderrDuring(exportArgs, true, &result);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(drawn.contains("Exporting...")) << drawn.constData();
    EXPECT_TRUE(drawn.contains("100%")) << drawn.constData();
    EXPECT_TRUE(drawn.endsWith("\r\033[K")) << drawn.constData();
    EXPECT_TRUE(StderrDuring(exportArgs, false, &result).isEmpty());
}

TEST_F(ProgressTest, FailureAfterProgressLeavesTheLineClean) {
    // The template is made, then cannot be saved.
    const QString out = PathOf("missing/out.mtp");
    const QStringList import{"import", WriteShapesDxf(), "-o", out, "--size", "400x80"};
    cli::CliResult result;
    const QByteArray drawn = StderrDuring(import, true, &result);
    ExpectFailureNaming(result, out);
    EXPECT_TRUE(drawn.contains("Creating bitmap...")) << drawn.constData();
    EXPECT_TRUE(drawn.endsWith("\r\033[K")) << drawn.constData();
}

}  // namespace
}  // namespace velora::clitest
