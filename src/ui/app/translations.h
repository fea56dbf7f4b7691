// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace velora {

// Installs the program's texts and Qt's own (standard buttons, file dialogs)
// in the language of the locale, the system's by default. English, the
// language the texts are written in, needs nothing. True when the program's
// own translation was found.
bool InstallTranslations(QCoreApplication& application, const QLocale& locale = QLocale());

}  // namespace velora
