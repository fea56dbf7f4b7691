// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

namespace velora {

// Margin of free pixels left around the fitted curves on every side.
constexpr int kDrawingMargin = 10;
// Largest drawing size the user may ask for, per side (without the margins).
constexpr int kMaxDrawingSide = 30000;
// The largest a drawing is per side: the largest size asked for, with its
// margins. Every picture of a drawing is at most this large.
constexpr int kMaxModelSide = kMaxDrawingSide + 2 * kDrawingMargin;

// Why a drawing of this size cannot be loaded, or empty when it can: from 1
// to kMaxModelSide pixels a side, or 0 x 0 for a model that was never sized.
// A size beyond what import makes would only be the start of pictures too
// large to hold.
QString DrawingSizeRefusal(int width, int height);

// Why a size asked for an import cannot be used, or empty when it can: from
// 1 to kMaxDrawingSide pixels a side.
QString AskedSizeRefusal(QSize size);

}  // namespace velora
