// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace velora {

// What the desktop program's command line asks for: to run with the files
// it names, or only to print something (the help, the version, or why the
// command line is refused) and end with an exit status.
struct DesktopCommandLine {
    bool run = true;
    QStringList files;
    int exitCode = 0;
    QString output;  // for standard output
    QString error;   // for standard error
};

// Reads the arguments after the program's name. The options of Qt itself
// (-platform, -style, ...) are let through for the application object.
DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments);

}  // namespace velora
