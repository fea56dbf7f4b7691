// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace velora {

class CDrawingModel;

// At most 100 x 100, keeping the drawing's proportions, truncated. A side
// that truncates to nothing keeps one pixel.
QSize ThumbnailSize(int width, int height);

// The preview every model stream starts with: the whole drawing rendered
// for export onto white, scaled down smoothly to ThumbnailSize. A drawing of
// up to kOnePicturePixels is rendered in one picture. A larger one is
// rendered band by band and each band averaged down by square blocks of
// pixels into a picture of at most that size, which is then scaled like a
// small drawing: the largest drawing (30020 pixels a side, 3.6 GB as one
// picture) takes no more than two pictures of 64 MB. Null for a model
// without a size, or when there is no memory for the pictures.
QImage MakeThumbnail(CDrawingModel& model);

inline constexpr qint64 kOnePicturePixels = qint64(1) << 24;

}  // namespace velora
