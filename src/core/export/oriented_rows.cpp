// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/oriented_rows.h"

#include "core/export/encoder_table.h"

#include <cstring>
#include <new>

namespace velora {

OrientedRows::OrientedRows(const QImage& image, int transformation)
    : m_image(image), m_transformation(transformation), m_rows(image, QImage::Format_RGB888) {
    if (IsQuarterTurn()) {
        m_rgb = image.convertToFormat(QImage::Format_RGB888);
        if (m_rgb.isNull()) throw std::bad_alloc();
    }
}

bool OrientedRows::IsQuarterTurn() const {
    return m_transformation == kTransformRotate90 || m_transformation == kTransformRotate270;
}

QSize OrientedRows::Size() const {
    return IsQuarterTurn() ? m_image.size().transposed() : m_image.size();
}

void OrientedRows::Read(int y, uchar* row) {
    const int width = m_image.width();
    const int height = m_image.height();
    switch (m_transformation) {
        case kTransformRotate90:  // output row y is source column y, read upwards
            ReadColumn(y, true, row);
            return;
        case kTransformRotate270:  // output row y is source column width-1-y, read downwards
            ReadColumn(width - 1 - y, false, row);
            return;
        default:
            break;
    }
    const bool mirrorRows =
        m_transformation == kTransformFlipVertical || m_transformation == kTransformRotate180;
    const bool mirrorPixels =
        m_transformation == kTransformFlipHorizontal || m_transformation == kTransformRotate180;
    const uchar* source = m_rows.Row(mirrorRows ? height - 1 - y : y);
    if (!mirrorPixels) {
        std::memcpy(row, source, size_t(width) * 3);
        return;
    }
    for (int x = 0; x < width; ++x) std::memcpy(row + 3 * x, source + 3 * (width - 1 - x), 3);
}

void OrientedRows::ReadColumn(int x, bool upwards, uchar* row) const {
    const int height = m_rgb.height();
    const qsizetype stride = m_rgb.bytesPerLine();
    const uchar* pixel = m_rgb.constBits() + 3 * qsizetype(x);
    if (upwards) pixel += stride * (height - 1);
    const qsizetype step = upwards ? -stride : stride;
    for (int i = 0; i < height; ++i, pixel += step) std::memcpy(row + 3 * i, pixel, 3);
}

}  // namespace velora
