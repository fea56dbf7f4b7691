// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace velora {

// The filters of a file dialog, from the "Name(*.a;*.b)|*.a;*.b|" form in
// which the program writes them: one Qt filter per name and pattern pair,
// "Name (*.a *.b)".
QStringList FileDialogFilters(const QString& filter);

}  // namespace velora
