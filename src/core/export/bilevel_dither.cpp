// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/bilevel_dither.h"

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
// Luminance weights in 1/1024 (0.299, 0.587, 0.114), so 255 stays 255.
int Luminance(const uchar* rgb) { return (306 * rgb[0] + 601 * rgb[1] + 117 * rgb[2]) >> 10; }
}  // namespace

BilevelDither::BilevelDither(int width)
    : m_width(width), m_error(size_t(width) + 2, 0), m_nextError(size_t(width) + 2, 0) {}

void BilevelDither::Next(const uchar* rgb, uchar* bits) {
    std::memset(bits, 0, (size_t(m_width) + 7) / 8);
    std::fill(m_nextError.begin(), m_nextError.end(), 0);
    // Errors are kept in sixteenths; index x + 1 is pixel x.
    for (int x = 0; x < m_width; ++x, rgb += 3) {
        const int wanted = Luminance(rgb) + m_error[size_t(x) + 1] / 16;
        const bool black = wanted < 128;
        if (black) bits[x >> 3] |= uchar(0x80 >> (x & 7));
        const int error = wanted - (black ? 0 : 255);
        m_error[size_t(x) + 2] += error * 7;
        m_nextError[size_t(x)] += error * 3;
        m_nextError[size_t(x) + 1] += error * 5;
        m_nextError[size_t(x) + 2] += error;
    }
    std::swap(m_error, m_nextError);
}

}  // namespace velora
