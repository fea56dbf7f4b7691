// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

#include <vector>

namespace velora::cli {

// The commands that read a file as it is: info, thumbnail, render, resave.
std::vector<Command> InspectCommands();

}  // namespace velora::cli
