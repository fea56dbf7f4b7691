// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/encoder_table.h"
#include "core/export/row_source.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace velora {

// Saves the image (any format) to path through the encoder with the given
// class identifier and the optional parameter block, honouring every value:
// JPEG quality and transformation; TIFF compression and colour depth (1-bit
// dithered bilevel, 4- and 8-bit palette, 24-bit RGB, 32-bit RGBA); GIF as a
// dithered 8-bit palette image; BMP at 24 bits; PNG. The file appears only
// when complete and an existing one is replaced only then. Throws FileError
// "path: cause" when the request cannot be written (nothing is written) or
// the save fails (nothing is left behind).
void SaveImage(const QImage& image, const QString& path, const Guid& encoderId,
               const EncoderParameters* parameters);

// The same for a picture made a row at a time.
void SaveRows(RowSource& rows, const QString& path, const Guid& encoderId,
              const EncoderParameters* parameters);

// The checks SaveImage makes before it writes, for callers that want to know
// before they prepare an image of this size: throws FileError "path: cause".
void CheckSaveRequest(const QString& path, const Guid& encoderId,
                      const EncoderParameters* parameters, QSize size, bool hasAlpha);

}  // namespace velora
