// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"

namespace velora::clitest {
namespace {

const QStringList kCommands{"info",   "thumbnail", "render", "resave",
                            "import", "capture",   "design", "export"};

TEST(HelpTest, ToolHelpListsEveryCommandOnStdout) {
    for (const char* option : {"--help", "-h", "help"}) {
        SCOPED_TRACE(option);
        const cli::CliResult result = RunTool({option});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.isEmpty());
        EXPECT_TRUE(result.out.startsWith("Usage:"));
        for (const QString& command : kCommands) {
            EXPECT_TRUE(result.out.contains("velora-cli " + command + " "))
                << command.toStdString();
        }
        // Both forms of capture are listed.
        EXPECT_TRUE(
            result.out.contains("velora-cli capture TEMPLATE -o OUT.mtp [--close-gaps D] --all"));
    }
}

TEST(HelpTest, CommandHelpDescribesItsOptions) {
    for (const QString& command : kCommands) {
        SCOPED_TRACE(command.toStdString());
        const cli::CliResult result = RunTool({command, "--help"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.isEmpty());
        EXPECT_TRUE(result.out.startsWith("Usage: velora-cli " + command + " "));
    }
    // Help wins over anything else on the line, even arguments that are wrong.
    const cli::CliResult result = RunTool({"export", "x.vld", "--quality", "999", "-h"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--quality", "--transform", "--compression", "--depth", "--size"}) {
        EXPECT_TRUE(result.out.contains(option)) << option;
    }
    EXPECT_TRUE(RunTool({"capture", "--help"}).out.contains("--area-per-region"));
    EXPECT_TRUE(RunTool({"render", "--help"}).out.contains("--smooth"));
}

TEST(HelpTest, UnknownCommandOrOptionIsUsage) {
    ExpectUsageError(RunTool({}));
    const cli::CliResult unknown = RunTool({"paint", "x.mtp"});
    ExpectUsageError(unknown);
    EXPECT_TRUE(unknown.err.contains("paint"));
    const cli::CliResult option = RunTool({"info", "x.mtp", "--colour"});
    ExpectUsageError(option);
    EXPECT_TRUE(option.err.contains("--colour"));
    EXPECT_TRUE(option.err.contains("Usage: velora-cli info"));
}

TEST(HelpTest, WrongArgumentsAreUsage) {
    ExpectUsageError(RunTool({"info"}));                                   // no file
    ExpectUsageError(RunTool({"info", "a.mtp", "b.mtp"}));                 // two files
    ExpectUsageError(RunTool({"render", "a.mtp"}));                        // no -o
    ExpectUsageError(RunTool({"render", "a.mtp", "-o"}));                  // -o without value
    ExpectUsageError(RunTool({"render", "a.mtp", "-o", "x", "-o", "y"}));  // -o twice
    ExpectUsageError(RunTool({"import", "a.dxf", "-o", "x.mtp", "--size", "1x1", "--size", "2x2"}));
    ExpectUsageError(RunTool({"info", "--rects"}));
}

}  // namespace
}  // namespace velora::clitest
