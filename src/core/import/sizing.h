// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"
#include "core/geometry/mono_bitmap.h"
#include "core/model/drawing_size.h"

#include <QImage>
#include <QSize>

#include <optional>

namespace velora {

class CDrawingModel;

// The mask bit of a drawn pixel: its red, green and blue, each scaled to
// 0..99 as (value * 100) >> 8, average (integer division) at least 40.
bool IsLightPixel(QRgb pixel);

// Where the outline mask is drawn: the 1-bit mask, drawn band by band from
// the outlines' strokes (HairlineBand), which give every band exactly the
// pixels of one picture of the whole drawing; a band takes two bytes a pixel.
class OutlineMaskCanvas {
public:
    static constexpr qsizetype kMaxBandPixels = qsizetype{4} << 20;

    // Nullopt when the memory for a mask of this size cannot be had.
    static std::optional<OutlineMaskCanvas> Allocate(QSize size,
                                                     qsizetype maxBandPixels = kMaxBandPixels);

    // Draws the model's curves on white, first aliased and then antialiased
    // over it, with a pen of width 1, and keeps every pixel as its
    // IsLightPixel bit; then darkens what the outline needs to be connected
    // (DrawConnectedOutline), so a closed curve always holds its fill. The
    // antialiased strokes stay with the model as its smooth outlines, which
    // its preview and first view then need not stroke again. Shows the
    // "Creating bitmap..." progress.
    MonoBitmap Draw(CDrawingModel& model, IUserInterface& user) &&;

private:
    OutlineMaskCanvas(MonoBitmap mask, int bandRows)
        : m_mask(std::move(mask)), m_bandRows(bandRows) {}

    MonoBitmap m_mask;
    int m_bandRows;
};

// The user's answer to the size dialog, with the canvas for its mask.
struct SizingAnswer {
    DrawingSizeAnswer choice;
    OutlineMaskCanvas canvas;
};

// Asks the user for the drawing size (and what else the request offers). A
// size that cannot be used is refused with a message and asked again.
// Nullopt when the user cancels; the model is then cleared.
std::optional<SizingAnswer> AskImportSize(CDrawingModel& model,
                                          const DrawingSizeRequest& request = {});

// Fits the curves 10 pixels inside the size answered and draws the mask of
// their outlines.
void ApplyDrawingSize(CDrawingModel& model, SizingAnswer&& answer);

// Both: asks for the size, telling the size dialog the drawing's own extent
// (the curves' bounds divided by the import units per drawing unit), then
// fits the curves and draws the mask. False when the user cancels; the model
// is then cleared.
bool SizeDrawing(CDrawingModel& model, double importUnitsPerDrawingUnit = 1.0);

}  // namespace velora
