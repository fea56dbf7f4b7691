// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

// How gaps in a template's outlines are closed, kept between runs: the
// widest gap "Close gaps..." proposes and a flooding click closes, and
// whether a click whose space floods the drawing is tried again with its
// gaps closed.
struct GapSettings {
    int distance;
    bool closeWhenClickFloods;
};

GapSettings ReadGapSettings();
void WriteGapSettings(const GapSettings& settings);

}  // namespace velora
