// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/dialog_frame.h"

#include <QWidget>

namespace velora {

void ShowCloseButtonOnly(QWidget& dialog) {
    Qt::WindowFlags flags = dialog.windowFlags();
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint);
    flags |= Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    dialog.setWindowFlags(flags);
}

}  // namespace velora
