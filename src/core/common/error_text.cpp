// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/error_text.h"

#include <string.h>

namespace velora {

QString GetErrorText(int errorCode) {
    // strerrordesc_np tells known codes from unknown ones; strerror_r gives
    // the translated text and, unlike strerror, is safe on any thread.
    if (strerrordesc_np(errorCode) == nullptr) return {};
    char buffer[256];
    return QString::fromLocal8Bit(strerror_r(errorCode, buffer, sizeof buffer));
}

}  // namespace velora
