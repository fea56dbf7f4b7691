// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace velora {

// The image resampled to the size as a 24-bit (Format_RGB888) image, each
// axis on its own: area averaging when it shrinks (every target pixel is the
// mean of the source area it covers, weighted by exact coverage), bilinear
// interpolation between pixel centres when it grows. A 16-bit RGB565 source
// is read in place; any other format is converted a band of rows at a time.
// Working memory is the result plus four rows of it. Throws VeloraError
// when the size is below 1 x 1 or the result cannot be allocated.
QImage ScaleImage(const QImage& source, QSize size);

}  // namespace velora
