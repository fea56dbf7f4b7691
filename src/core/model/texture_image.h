// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace velora {

// Texture files larger than this are refused instead of being read whole.
constexpr qint64 kMaxTextureFileBytes = qint64(256) << 20;

// Reads a texture file whole, so it is not held open while it is decoded,
// and decodes it from memory: BMP, GIF, JPEG (bytes after its end are
// ignored), PNG, TIFF, ICO and whatever else the installed image plugins read,
// recognised by content; the first frame of a file with several. A file named
// .emf or .wmf is drawn by the metafile reader at its frame size. Only a
// regular file is read. A file that cannot be read or decoded gives a null
// image, and reason (when given) receives the cause, worded to follow the
// file's name ("is a pipe, not a regular file", "cannot be decoded: ...").
QImage LoadTextureImage(const QString& path, QString* reason);

// The top-left part of a texture, as a palette shows it unscaled in a small
// cell: the image is at most `corner` large, so a palette keeps little of
// each texture, and `fullSize` is the size of the whole texture. A file that
// cannot be read gives a null image.
struct TextureCorner {
    QImage image;
    QSize fullSize;
};
TextureCorner LoadTextureCorner(const QString& path, QSize corner);

}  // namespace velora
