// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/status_line.h"

#include <QLabel>

namespace velora {

QLabel* MakeStatusLine(const QString& accessibleName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAccessibleName(accessibleName);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(1);
    return label;
}

}  // namespace velora
