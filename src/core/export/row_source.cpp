// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/row_source.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace velora {

namespace {
constexpr int kBandRows = 32;

QImage::Format FormatOf(RowLayout layout) {
    switch (layout) {
        case RowLayout::Rgb888:
            return QImage::Format_RGB888;
        case RowLayout::Bgr888:
            return QImage::Format_BGR888;
        case RowLayout::Rgba8888:
            break;
    }
    return QImage::Format_RGBA8888;
}
}  // namespace

int BytesPerPixel(RowLayout layout) { return layout == RowLayout::Rgba8888 ? 4 : 3; }

void ImageRowSource::Read(int y, int left, int width, RowLayout layout, uchar* out) {
    const int bytes = BytesPerPixel(layout);
    const uchar* row = ConvertedRow(y, FormatOf(layout));
    std::memcpy(out, row + qsizetype(left) * bytes, size_t(width) * size_t(bytes));
}

// Bands start at multiples of the band height, so reading upwards costs no
// more than reading downwards.
const uchar* ImageRowSource::ConvertedRow(int y, QImage::Format format) {
    if (m_image.format() == format) return m_image.constScanLine(y);
    const int top = y - y % kBandRows;
    if (top != m_bandTop || m_band.format() != format) {
        const int rows = std::min(kBandRows, m_image.height() - top);
        m_band = m_image.copy(0, top, m_image.width(), rows).convertToFormat(format);
        if (m_band.isNull()) throw std::bad_alloc();
        m_bandTop = top;
    }
    return m_band.constScanLine(y - top);
}

}  // namespace velora
