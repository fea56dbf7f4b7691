// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/png_rows.h"

#include <cstdlib>
#include <cstring>

namespace velora {

namespace {
enum Filter : uchar { None, Sub, Up, Average, Paeth };

// A filtered byte read as signed: its distance from zero.
size_t Magnitudes(const uchar* bytes, size_t n) {
    size_t sum = 0;
    for (size_t i = 0; i < n; ++i) sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

uchar PaethPredictor(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return uchar(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// x: the row, b: the row above, both with bpp bytes before them; out gets n
// filtered bytes.
void ApplyFilter(Filter filter, const uchar* x, const uchar* b, size_t bpp, size_t n, uchar* out) {
    const uchar* a = x - bpp;
    const uchar* c = b - bpp;
    switch (filter) {
        case Sub:
            for (size_t i = 0; i < n; ++i) out[i] = uchar(x[i] - a[i]);
            break;
        case Up:
            for (size_t i = 0; i < n; ++i) out[i] = uchar(x[i] - b[i]);
            break;
        case Average:
            for (size_t i = 0; i < n; ++i) out[i] = uchar(x[i] - ((a[i] + b[i]) >> 1));
            break;
        case Paeth:
            for (size_t i = 0; i < n; ++i) out[i] = uchar(x[i] - PaethPredictor(a[i], b[i], c[i]));
            break;
        case None:
            std::memcpy(out, x, n);
            break;
    }
}
}  // namespace

PngRows::PngRows(int width, int bytesPerPixel)
    : m_bytes(size_t(width) * size_t(bytesPerPixel)),
      m_bpp(size_t(bytesPerPixel)),
      m_previous(m_bpp + m_bytes, 0),
      m_current(m_bpp + m_bytes, 0),
      m_best(1 + m_bytes),
      m_trial(1 + m_bytes) {}

std::span<const uchar> PngRows::Filter() {
    const uchar* x = m_current.data() + m_bpp;
    const uchar* b = m_previous.data() + m_bpp;
    m_best[0] = None;
    ApplyFilter(None, x, b, m_bpp, m_bytes, m_best.data() + 1);
    size_t bestSum = Magnitudes(m_best.data() + 1, m_bytes);
    for (const velora::Filter filter : {Sub, Up, Average, Paeth}) {
        m_trial[0] = filter;
        ApplyFilter(filter, x, b, m_bpp, m_bytes, m_trial.data() + 1);
        const size_t sum = Magnitudes(m_trial.data() + 1, m_bytes);
        if (sum < bestSum) {
            bestSum = sum;
            std::swap(m_best, m_trial);
        }
    }
    std::swap(m_previous, m_current);
    return m_best;
}

}  // namespace velora
