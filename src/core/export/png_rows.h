// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <span>
#include <vector>

namespace velora {

// Filters the rows of a PNG image, top to bottom, with the adaptive choice
// PNG writers have always made: each row gets the filter (none, sub, up,
// average or Paeth) whose bytes, read as signed, have the smallest sum of
// magnitudes; a tie goes to the filter listed first.
class PngRows {
public:
    PngRows(int width, int bytesPerPixel);

    // Where the next row's pixels go.
    uchar* Row() { return m_current.data() + m_bpp; }
    // The row just given, filtered, its filter type first. Valid until the
    // next call.
    std::span<const uchar> Filter();

private:
    size_t m_bytes;
    size_t m_bpp;
    // Rows with bpp zero bytes in front, so every filter reads to the left
    // without a test.
    std::vector<uchar> m_previous;
    std::vector<uchar> m_current;
    // The filtered row with the smallest sum so far, and the one being tried.
    std::vector<uchar> m_best;
    std::vector<uchar> m_trial;
};

}  // namespace velora
