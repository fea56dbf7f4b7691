// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/transfer_report.h"

#include <QCoreApplication>

namespace velora {

QStringList ProblemLines(const std::vector<TransferProblem>& problems, int limit) {
    QStringList lines;
    for (const TransferProblem& problem : problems) {
        if (lines.size() == limit) {
            lines.append(QCoreApplication::translate("velora", "... and %1 more")
                             .arg(problems.size() - limit));
            break;
        }
        lines.append(problem.Text());
    }
    return lines;
}

}  // namespace velora
