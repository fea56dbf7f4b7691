// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/file_report.h"

#include "core/common/path_parts.h"
#include "core/common/user_interface.h"

namespace velora {

QString FileFailureLine(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(GetPathTitle(path) + GetPathExt(path), reason);
}

void ReportFileFailures(IUserInterface* user, const QString& heading, const QStringList& lines) {
    if (!user || lines.isEmpty()) return;
    user->ShowMessage(heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
}

}  // namespace velora
