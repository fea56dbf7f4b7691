// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

#include <vector>

namespace velora::cli {

// The commands that exchange the library with the server: download, send.
std::vector<Command> ExchangeCommands();

}  // namespace velora::cli
