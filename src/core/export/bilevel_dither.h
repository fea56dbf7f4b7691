// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

namespace velora {

// Turns RGB888 rows into 1-bit rows by Floyd-Steinberg error diffusion of
// their luminance, one row at a time, so that large flat tones keep their
// brightness as a density of black dots. Output bits are packed most
// significant first with 1 for black, as a min-is-white image stores them.
class BilevelDither {
public:
    explicit BilevelDither(int width);

    // Rows must come in order from the top; bits holds (width + 7) / 8 bytes.
    void Next(const uchar* rgb, uchar* bits);

private:
    int m_width;
    std::vector<int> m_error;      // carried into the current row, one guard each side
    std::vector<int> m_nextError;  // collected for the row below
};

}  // namespace velora
