// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace velora {

// A line of status text in a transfer window. A long text, such as a URL, is
// cut at the window's edge instead of widening the window.
QLabel* MakeStatusLine(const QString& accessibleName, QWidget* parent);

}  // namespace velora
