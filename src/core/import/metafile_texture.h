#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace velora {

// Largest width or height of a metafile texture; bigger frames are scaled
// down to fit, keeping their proportions.
constexpr int kMaxMetafileTextureSide = 4096;

// Draws a metafile (enhanced, or placeable Windows metafile through the same
// conversion as the import) as a texture image: its rectangles, ellipses,
// polygons, polylines and poly-polygons with the pens and brushes selected
// for them, on white. The image has the size of the picture frame at 96 dpi
// (the bounds when the frame is empty), and the area covered by the drawing
// records is mapped onto the whole image.
//
// Bytes that cannot be decoded give a null image, and reason (when given)
// receives the cause.
QImage RenderMetafileTexture(QByteArrayView bytes, QString* reason);

}  // namespace velora
