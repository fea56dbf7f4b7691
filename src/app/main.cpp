// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"
#include "ui/app/mosvel_app.h"
#include "ui/app/translations.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

void SetProgramNames() {
    QCoreApplication::setOrganizationName(velora::SettingsOrganization());
    QCoreApplication::setApplicationName(velora::SettingsApplication());
    QCoreApplication::setApplicationVersion(QStringLiteral(VELORA_VERSION));
}

QStringList ArgumentsAfterName(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// --help, --version and a refused command line print and end without a
// window, so they need no display.
int PrintOnly(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    velora::InstallTranslations(application);
    const velora::DesktopCommandLine line =
        velora::ParseDesktopCommandLine(QCoreApplication::arguments().mid(1));
    std::fputs(line.output.toLocal8Bit().constData(), stdout);
    std::fputs(line.error.toLocal8Bit().constData(), stderr);
    return line.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    SetProgramNames();
    const velora::DesktopCommandLine line =
        velora::ParseDesktopCommandLine(ArgumentsAfterName(argc, argv));
    if (!line.run) return PrintOnly(argc, argv);

    QApplication application(argc, argv);
    velora::InstallTranslations(application);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/velora.svg")));
    QApplication::setDesktopFileName(QStringLiteral("com.orvane.velora"));

    velora::CMosvelApp app;
    if (!app.InitInstance(line.files)) return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
