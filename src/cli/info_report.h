// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora::cli {

class CliUserInterface;

// Appends the JSON description of a template or design file that `info`
// prints. Throws VeloraError for a file that cannot be read or is damaged. A
// scrambled file whose checksum does not match without a password is
// described as far as its container, then refused.
void WriteInfoReport(const QString& file, bool withRects, CliUserInterface& user, QString& output);

}  // namespace velora::cli
