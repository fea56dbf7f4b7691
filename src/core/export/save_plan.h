// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/encoder_table.h"

#include <QSize>

namespace velora {

// The writer a save goes to.
enum class EncoderKind { Bmp, Jpeg, Gif, Tiff, Png };

// What the JPEG options panel sets.
struct JpegOptions {
    int quality = 75;
    int transformation = 0;  // 0: none, else kTransformRotate90 .. kTransformFlipVertical
};

// What the TIFF options panel sets.
struct TiffOptions {
    int compression = kCompressionLzw;
    int colorDepth = 24;
};

// What a save will write, settled before a byte is written.
struct SavePlan {
    EncoderKind kind = EncoderKind::Png;
    JpegOptions jpeg;
    TiffOptions tiff;
};

// Checks the encoder, every parameter and the image size against what the
// chosen format can hold. Throws VeloraError naming the cause when the
// encoder is unknown, a parameter is not in the encoder's list or has a value
// the list does not allow, the combination cannot be written (CCITT and RLE
// compression write only 1-bit images) or the size exceeds the format.
// Without parameters a JPEG gets quality 75, a TIFF LZW compression at 24
// bits (32 when the image has alpha, 1 for the bilevel compressions).
SavePlan PlanSave(const Guid& encoderId, const EncoderParameters* parameters, QSize size,
                  bool hasAlpha);

}  // namespace velora
