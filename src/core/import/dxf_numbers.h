// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace velora {

// Numbers of DXF group values, read the way the C library's atof and atoi
// read them, but independent of the process locale: the longest numeric
// prefix counts and text without one reads as 0. "inf", "nan" and hex forms
// have no numeric prefix and read as 0 too.
//
// A decimal value beyond the double range reads as an infinity of its sign,
// one too small for it as 0.
double ParseDxfDouble(std::string_view text);
// An integer value beyond the int range is clamped to it.
int ParseDxfInt(std::string_view text);

}  // namespace velora
