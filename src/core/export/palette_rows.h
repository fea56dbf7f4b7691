// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"

#include <QRgb>

#include <cstdint>
#include <vector>

namespace velora {

// Reduces a picture to a palette of at most maxColors opaque colours, row by
// row. The palette is chosen up front by libimagequant from the image's
// colours (a sample of evenly spread rows when the picture is large); the rows
// are then mapped to it with serpentine Floyd-Steinberg error diffusion, so
// flat tones between palette colours keep their average. Nothing is held per
// pixel: the writers stream indices straight into the file. Throws
// VeloraError when the quantiser fails.
class PaletteRows {
public:
    PaletteRows(RowSource& rows, int maxColors);

    // At most maxColors entries, alpha always 255.
    const std::vector<QRgb>& Palette() const { return m_palette; }
    // Rows must come in order from the top: width RGB888 pixels in,
    // width palette indices out.
    void Next(const uchar* rgb, uchar* indices);

private:
    int Nearest(int r, int g, int b);

    int m_width;
    int m_row = 0;
    std::vector<QRgb> m_palette;
    std::vector<int16_t> m_nearest;  // by 6 bits a channel; -1 until looked up
    std::vector<int> m_error;        // three channels in sixteenths, a guard pixel each side
    std::vector<int> m_nextError;
};

}  // namespace velora
