// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_rows.h"

#include <algorithm>
#include <new>

namespace velora {

namespace {
constexpr int kBandRows = 32;
}

ImageRows::ImageRows(const QImage& image, QImage::Format format)
    : m_image(image), m_format(format) {}

const uchar* ImageRows::Row(int y) {
    if (m_image.format() == m_format) return m_image.constScanLine(y);
    const int top = y - y % kBandRows;
    if (top != m_bandTop) {
        const int rows = std::min(kBandRows, m_image.height() - top);
        m_band = m_image.copy(0, top, m_image.width(), rows).convertToFormat(m_format);
        if (m_band.isNull()) throw std::bad_alloc();
        m_bandTop = top;
    }
    return m_band.constScanLine(y - top);
}

}  // namespace velora
