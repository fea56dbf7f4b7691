// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

// Delivers the events that are waiting, so windows repaint while the caller
// goes on with long work on the user-interface thread. The user's input
// waits until that work is done: a click cannot start a second piece of work
// inside the first one.
void PumpMessages();

}  // namespace velora
