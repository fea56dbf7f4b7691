// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

// The system's text for an errno value, such as "Permission denied", in the
// user's language where the system has a translation. Empty for a value the
// system does not know: a message box then says nothing rather than a bare
// "Unknown error 4711" that helps nobody.
QString GetErrorText(int errorCode);

}  // namespace velora
