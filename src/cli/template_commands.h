// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

#include <vector>

namespace velora::cli {

// The commands that make templates: import, capture.
std::vector<Command> TemplateCommands();

}  // namespace velora::cli
