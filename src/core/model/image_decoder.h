// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/drawing_size.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace velora {

// The formats DecodeImage takes.
enum class ImageFormats {
    // What the Windows program's decoder knows: BMP, GIF, JPEG, PNG, TIFF and
    // ICO. Stored area images are held to these.
    Stored,
    // Also whatever else the installed image plugins read (textures).
    Any,
};

// The largest image decoded: as large as the largest drawing, all of which a
// texture can fill.
inline constexpr qint64 kMaxImageSide = kMaxModelSide;
inline constexpr qint64 kMaxImagePixels = kMaxImageSide * kMaxImageSide;

// Bytes can declare an image far larger than themselves (a few hundred bytes
// of GIF or JPEG may claim 30000 x 30000 pixels, which the decoders fill or
// decode as grey). An image of more than kPlainImagePixels must come with at
// least one byte for every kMaxPixelsPerByte pixels, more than even a
// one-colour image packs into; anything that claims more is refused before
// anything is allocated for it.
inline constexpr qint64 kPlainImagePixels = qint64(1) << 24;
inline constexpr qint64 kMaxPixelsPerByte = 8192;

// The one image decoder of the program, for area images and textures alike.
// The format is recognised by content; the first frame of a file with
// several is taken. Orientation tags are ignored, as the Windows decoder
// ignores them, and images beyond the limits above are refused, their size
// in the reason. JPEGs are decoded by libjpeg straight into 24-bit rows,
// ignoring bytes after the end of the image. Bytes that do not decode give a
// null image, and reason (when given) receives the cause.
QImage DecodeImage(std::span<const uint8_t> bytes, ImageFormats formats, QString* reason = nullptr);

// The size of the image DecodeImage makes of the bytes, from their header
// alone; invalid when the header does not tell or DecodeImage refuses it.
QSize ProbeImageSize(std::span<const uint8_t> bytes, ImageFormats formats);

// The size of a JPEG that DecodeImage decodes with libjpeg, from its header
// alone; nullopt for anything else, including a JPEG whose header does not
// read, whose size is refused or whose colour space needs the generic reader.
std::optional<QSize> ProbeJpeg(std::span<const uint8_t> bytes);

}  // namespace velora
