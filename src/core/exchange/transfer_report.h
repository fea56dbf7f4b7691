// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace velora {

// A file or name that a transfer passed over, and why.
struct TransferProblem {
    QString subject;
    QString reason;

    QString Text() const { return subject + QStringLiteral(": ") + reason; }
};

// The lines of a list of problems, at most `limit` of them, then how many
// more there were: enough to see what went wrong without a message box
// taller than the screen.
QStringList ProblemLines(const std::vector<TransferProblem>& problems, int limit);

}  // namespace velora
