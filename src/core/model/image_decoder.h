// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// Bytes can declare an image far larger than themselves (a few hundred bytes
// of JPEG may claim 60000 x 60000 pixels). Such an image is refused before
// anything is allocated for it.
inline constexpr qint64 kMaxImagePixels = qint64(1) << 26;

// The one image decoder of the program, for area images and textures alike.
// The format is recognised by content; the first frame of a file with
// several is taken. Orientation tags are ignored, as the Windows decoder
// ignores them, and images beyond kMaxImagePixels (or the allocation limit
// the program sets for image reading) are refused. JPEGs are decoded by
// libjpeg straight into 24-bit rows, ignoring bytes after the end of the
// image. Bytes that do not decode give a null image, and reason (when given)
// receives the cause.
QImage DecodeImage(std::span<const uint8_t> bytes, ImageFormats formats, QString* reason = nullptr);

// The size of a JPEG that DecodeImage decodes with libjpeg, from its header
// alone; nullopt for anything else, including a JPEG whose header does not
// read, whose size is refused or whose colour space needs the generic reader.
std::optional<QSize> ProbeJpeg(std::span<const uint8_t> bytes);

}  // namespace velora
