// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/file_filter.h"

#include <QRegularExpression>

namespace velora {

QStringList FileDialogFilters(const QString& filter) {
    // The name often repeats its patterns in parentheses; the dialog shows
    // the patterns it really uses instead.
    static const QRegularExpression kShownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) continue;
        const QString name = QString(parts[i]).remove(kShownPatterns);
        const QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters.append(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

}  // namespace velora
