// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velora {

namespace {
bool Install(QCoreApplication& application, const QLocale& locale, const QString& name,
             const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}
}  // namespace

bool InstallTranslations(QCoreApplication& application, const QLocale& locale) {
    Install(application, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Built into the program, so that it needs no installed files.
    return Install(application, locale, QStringLiteral("velora"), QStringLiteral(":/i18n"));
}

}  // namespace velora
