// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace velora {

// A dialog or message box is no document window: its frame offers the close
// button alone. Without this the window manager gives it the minimise and
// maximise buttons of a main window. Call before the window first shows.
void ShowCloseButtonOnly(QWidget& dialog);

}  // namespace velora
