// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/mono_bitmap.h"

#include <bit>
#include <stdexcept>

namespace velora {

MonoBitmap::MonoBitmap(int width, int height)
    : MonoBitmap(width, height,
                 std::vector<uint8_t>(width > 0 && height > 0
                                          ? static_cast<size_t>(StrideFor(width)) * height
                                          : 0)) {}

MonoBitmap::MonoBitmap(int width, int height, std::vector<uint8_t> bits)
    : m_width(width > 0 && height > 0 ? width : 0),
      m_height(width > 0 && height > 0 ? height : 0),
      m_stride(m_width > 0 ? StrideFor(m_width) : 0),
      m_bits(std::move(bits)) {
    if (m_bits.size() != static_cast<size_t>(m_stride) * m_height) {
        throw std::invalid_argument("mask bits do not match the mask size");
    }
}

void MonoBitmap::SetPixel(int x, int y, bool light) {
    uint8_t& byte = m_bits[static_cast<size_t>(y) * m_stride + (x >> 3)];
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
    byte = light ? (byte | bit) : (byte & ~bit);
}

int64_t MonoBitmap::CountLight() const {
    int64_t count = 0;
    const int fullBytes = m_width / 8;
    const int restBits = m_width % 8;
    const uint8_t restMask = static_cast<uint8_t>(0xFF00 >> restBits);
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* row = Row(y);
        for (int i = 0; i < fullBytes; ++i) count += std::popcount(row[i]);
        if (restBits) count += std::popcount(static_cast<uint8_t>(row[fullBytes] & restMask));
    }
    return count;
}

QImage MonoBitmap::ToImage() const {
    if (IsNull()) return {};
    QImage image(m_width, m_height, QImage::Format_Mono);
    if (image.isNull()) return {};
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    const int bytes = (m_width + 7) / 8;
    for (int y = 0; y < m_height; ++y) {
        std::copy_n(Row(y), bytes, image.scanLine(y));
    }
    return image;
}

}  // namespace velora
