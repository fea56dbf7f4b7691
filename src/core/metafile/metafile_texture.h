// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace velora {

// Largest width or height of a metafile texture; bigger frames are scaled
// down to fit, keeping their proportions.
constexpr int kMaxMetafileTextureSide = 4096;

// Draws a metafile (enhanced, or placeable Windows metafile through the same
// conversion as the import) as a texture image, on white: its rectangles,
// ellipses, polygons, polylines, poly-polygons, lines and Bezier curves from
// the current position, and filled or stroked paths, with the pens, brushes
// and fill mode selected for them. Logical coordinates reach the reference
// device through the mapping mode, window, viewport and world transform, and
// SaveDC / RestoreDC bring earlier states back.
//
// The image has the size of the picture frame at 96 dpi (the bounds when the
// frame is empty), and the frame, taken to reference-device pixels through
// the header's device size in pixels and millimetres, fills the whole image.
// When the frame or those sizes are unusable (a placeable metafile without
// units per inch, a damaged header), the area covered by the drawing is
// mapped onto the whole image instead.
//
// Bytes that cannot be decoded give a null image, and reason (when given)
// receives the cause.
QImage RenderMetafileTexture(QByteArrayView bytes, QString* reason);

}  // namespace velora
