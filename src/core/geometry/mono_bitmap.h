// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace velora {

// A 1-bit bitmap in the stored mask layout: rows top to bottom, each padded
// to an even number of bytes, most significant bit leftmost, 1 = light.
class MonoBitmap {
public:
    MonoBitmap() = default;
    // All pixels dark (0). Throws std::bad_alloc when the size cannot be held.
    MonoBitmap(int width, int height);
    // Takes stored bits; their size must be StrideFor(width) * height.
    MonoBitmap(int width, int height, std::vector<uint8_t> bits);

    // Bytes per row: whole 16-bit words. Computed wide, so no width overflows.
    static int StrideFor(int width) {
        return static_cast<int>((static_cast<int64_t>(width) + 15) / 16 * 2);
    }

    bool IsNull() const { return m_width <= 0 || m_height <= 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }

    bool Pixel(int x, int y) const {
        return (m_bits[static_cast<size_t>(y) * m_stride + (x >> 3)] & (0x80 >> (x & 7))) != 0;
    }
    void SetPixel(int x, int y, bool light);
    const uint8_t* Row(int y) const { return m_bits.data() + static_cast<size_t>(y) * m_stride; }
    uint8_t* Row(int y) { return m_bits.data() + static_cast<size_t>(y) * m_stride; }
    const std::vector<uint8_t>& Bits() const { return m_bits; }

    // Number of light pixels (padding bits are not counted).
    int64_t CountLight() const;
    // Black for 0, white for 1, for drawing. A null image when the bitmap is
    // null or the image cannot be allocated.
    QImage ToImage() const;

private:
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<uint8_t> m_bits;
};

}  // namespace velora
