// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/mosvel_app.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(velora::SettingsOrganization());
    QApplication::setApplicationName(velora::SettingsApplication());
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/velora.svg")));
    QApplication::setDesktopFileName(QStringLiteral("velora"));

    velora::CMosvelApp app;
    QStringList files = QApplication::arguments();
    files.removeFirst();
    if (!app.InitInstance(files)) return 1;
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
