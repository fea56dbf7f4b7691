#pragma once

#include <QString>

namespace velora::cli {

class CliUserInterface;

// The JSON description of a template or design file that `info` prints.
// Throws VeloraError (naming the file) for a file that cannot be read or is
// damaged.
QString InfoReport(const QString& file, bool withRects, CliUserInterface& user);

}  // namespace velora::cli
