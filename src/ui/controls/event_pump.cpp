// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/event_pump.h"

#include <QCoreApplication>

namespace velora {

void PumpMessages() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace velora
