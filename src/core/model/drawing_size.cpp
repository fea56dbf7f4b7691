// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_size.h"

#include <QCoreApplication>

namespace velora {

QString DrawingSizeRefusal(int width, int height) {
    if (width == 0 && height == 0) return {};
    const auto fits = [](int side) { return side >= 1 && side <= kMaxModelSide; };
    if (fits(width) && fits(height)) return {};
    const QString size = QCoreApplication::translate("velora", "the drawing is %1 × %2 pixels")
                             .arg(width)
                             .arg(height);
    if (width > kMaxModelSide || height > kMaxModelSide) {
        return size + QCoreApplication::translate("velora",
                                                  "; the largest this program handles is %1 × %1")
                          .arg(kMaxModelSide);
    }
    return size + QCoreApplication::translate("velora", ", which no drawing can be");
}

QString AskedSizeRefusal(QSize size) {
    const auto fits = [](int side) { return side >= 1 && side <= kMaxDrawingSide; };
    if (fits(size.width()) && fits(size.height())) return {};
    return QCoreApplication::translate(
               "velora",
               "A drawing of %1 x %2 pixels cannot be made. Please enter a width and a height "
               "from 1 to %3 pixels.")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxDrawingSide);
}

}  // namespace velora
