// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace velora::cli {

// What a run of the tool ends with.
struct CliResult {
    int exitCode = 0;
    QString out;  // for stdout
    QString err;  // for stderr
};

// Runs one invocation (arguments without the program name): 0 done, 1 failed
// with one line naming the file and the reason, 2 bad usage. Long work draws
// a progress bar on progress when it is given.
CliResult RunCli(const QStringList& args, std::FILE* progress);

}  // namespace velora::cli
