// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

#include <vector>

namespace velora::cli {

// The commands that make designs and pictures of them: design, export.
std::vector<Command> DesignCommands();

}  // namespace velora::cli
