// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

#include <vector>

namespace velora::cli {

// The commands that fill the local libraries: starter.
std::vector<Command> LibraryCommands();

}  // namespace velora::cli
