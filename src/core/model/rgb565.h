// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>

#include <cstdint>

namespace velora {

// 16-bit 5-6-5 pixels, the format views and exports draw into. Channels are
// widened to 8 bits as the platform widens them: the top bits repeat into the
// low ones, so 0 stays 0 and the largest value becomes 255.

inline uint8_t Widen5(unsigned value) { return static_cast<uint8_t>((value << 3) | (value >> 2)); }
inline uint8_t Widen6(unsigned value) { return static_cast<uint8_t>((value << 2) | (value >> 4)); }

// The opaque colour of a 5-6-5 pixel.
inline QRgb RgbFrom565(uint16_t pixel) {
    return qRgb(Widen5((pixel >> 11) & 0x1F), Widen6((pixel >> 5) & 0x3F), Widen5(pixel & 0x1F));
}

// Narrowing keeps the top bits of each channel.
inline uint16_t To565(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

}  // namespace velora
