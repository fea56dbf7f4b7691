#include "cli/cli.h"

#include <QCoreApplication>

#include <unistd.h>
#include <cstdio>

int main(int argc, char** argv) {
    // An application object gives the image plugins and the settings their
    // places; no display is needed.
    QCoreApplication app(argc, argv);
    const velora::cli::CliResult result =
        velora::cli::RunCli(QCoreApplication::arguments().mid(1), isatty(STDERR_FILENO) != 0);
    std::fputs(result.out.toLocal8Bit().constData(), stdout);
    std::fputs(result.err.toLocal8Bit().constData(), stderr);
    return result.exitCode;
}
