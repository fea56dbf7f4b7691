// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace velora {

class IUserInterface;

// "name.ext: reason", one line of a report about files.
QString FileFailureLine(const QString& path, const QString& reason);

// One message with the heading and a line per file; nothing when every file
// went well or there is nobody to tell.
void ReportFileFailures(IUserInterface* user, const QString& heading, const QStringList& lines);

}  // namespace velora
