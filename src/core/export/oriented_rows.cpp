// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/oriented_rows.h"

#include "core/export/encoder_table.h"

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
constexpr qint64 kBlockBytes = qint64(4) << 20;
}

OrientedRows::OrientedRows(RowSource& source, int transformation)
    : m_source(source), m_transformation(transformation) {}

bool OrientedRows::IsQuarterTurn() const {
    return m_transformation == kTransformRotate90 || m_transformation == kTransformRotate270;
}

QSize OrientedRows::Size() const {
    return IsQuarterTurn() ? m_source.Size().transposed() : m_source.Size();
}

void OrientedRows::Read(int y, uchar* row) {
    const int width = m_source.Size().width();
    const int height = m_source.Size().height();
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
    m_source.Read(mirrorRows ? height - 1 - y : y, RowLayout::Rgb888, row);
    if (!mirrorPixels) return;
    for (int x = 0; x < width / 2; ++x) {
        uchar* a = row + 3 * x;
        uchar* b = row + 3 * (width - 1 - x);
        for (int c = 0; c < 3; ++c) std::swap(a[c], b[c]);
    }
}

void OrientedRows::LoadBlockHolding(int x) {
    const QSize size = m_source.Size();
    if (m_blockLeft >= 0 && x >= m_blockLeft && x < m_blockLeft + m_blockWidth) return;
    const qint64 columnBytes = qint64(size.height()) * 3;
    const int columns = int(std::clamp<qint64>(kBlockBytes / columnBytes, 1, size.width()));
    // Output rows run through the columns left to right for a quarter turn
    // clockwise and right to left the other way; the block lies ahead of x.
    const bool rightwards = m_transformation == kTransformRotate90;
    m_blockLeft = rightwards ? x : std::max(0, x - columns + 1);
    m_blockWidth = std::min(columns, size.width() - m_blockLeft);
    const size_t rowBytes = size_t(m_blockWidth) * 3;
    m_block.resize(rowBytes * size_t(size.height()));
    for (int y = 0; y < size.height(); ++y) {
        m_source.Read(y, m_blockLeft, m_blockWidth, RowLayout::Rgb888,
                      m_block.data() + rowBytes * size_t(y));
    }
}

void OrientedRows::ReadColumn(int x, bool upwards, uchar* row) {
    LoadBlockHolding(x);
    const int height = m_source.Size().height();
    const qsizetype stride = qsizetype(m_blockWidth) * 3;
    const uchar* pixel = m_block.data() + 3 * qsizetype(x - m_blockLeft);
    if (upwards) pixel += stride * (height - 1);
    const qsizetype step = upwards ? -stride : stride;
    for (int i = 0; i < height; ++i, pixel += step) std::memcpy(row + 3 * i, pixel, 3);
}

}  // namespace velora
