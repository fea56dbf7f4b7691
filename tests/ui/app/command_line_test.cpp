// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(CommandLineTest, HelpAndVersionPrintAndEndWhileFilesAndQtOptionsStart) {
    struct Case {
        QStringList arguments;
        bool run;
        int exitCode;
        QStringList files;
        QString printed;  // found on stdout, or on stderr when refused
    };
    const Case cases[] = {
        {{}, true, 0, {}, {}},
        {{"a.vld", "b.dxf"}, true, 0, {"a.vld", "b.dxf"}, {}},
        {{"-platform", "offscreen", "-style", "fusion", "a.mtp"}, true, 0, {"a.mtp"}, {}},
        {{"--", "-odd name.vld"}, true, 0, {"-odd name.vld"}, {}},
        {{"--version"}, false, 0, {}, "velora "},
        {{"-v", "a.vld"}, false, 0, {}, "velora "},
        {{"--help"}, false, 0, {}, "--version"},
        {{"-h"}, false, 0, {}, "[FILE...]"},
        {{"--frobnicate", "a.vld"}, false, 2, {}, "frobnicate"},
        {{"-x"}, false, 2, {}, "Usage:"},
    };
    for (const Case& c : cases) {
        const QString name = c.arguments.join(' ');
        const DesktopCommandLine line = ParseDesktopCommandLine(c.arguments);
        EXPECT_EQ(line.run, c.run) << name.toStdString();
        EXPECT_EQ(line.exitCode, c.exitCode) << name.toStdString();
        EXPECT_EQ(line.files, c.files) << name.toStdString();
        const QString& text = c.exitCode == 0 ? line.output : line.error;
        EXPECT_TRUE(text.contains(c.printed)) << name.toStdString() << ": " << text.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(line.error.contains("Usage:")) << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace velora
