// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace velora {

// Pixels x0..x1 (inclusive) of row y, the unit in which fills and mask
// components are found.
struct PixelRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// --- bit searches on one row of a 1-bit picture --------------------------------
// A row is given byte by byte (most significant bit leftmost) through byteAt,
// so the same searches serve the plain mask and "light and not yet filled".

// First x in [from, to] whose bit is set, or -1.
template <typename ByteAt>
int FirstSet(ByteAt byteAt, int from, int to) {
    int i = from >> 3;
    const int lastByte = to >> 3;
    unsigned bits = byteAt(i) & (0xFFu >> (from & 7));
    while (bits == 0) {
        if (++i > lastByte) return -1;
        bits = byteAt(i);
    }
    const int x = i * 8 + std::countl_zero(static_cast<uint8_t>(bits));
    return x <= to ? x : -1;
}

// First x >= from whose bit is clear, or width when the bits stay set to the
// end of the row (padding bits never count as set).
template <typename ByteAt>
int FirstClear(ByteAt byteAt, int from, int width) {
    int i = from >> 3;
    unsigned clear = ~byteAt(i) & (0xFFu >> (from & 7));
    while ((clear & 0xFFu) == 0) {
        if (++i * 8 >= width) return width;
        clear = ~byteAt(i);
    }
    return std::min(width, i * 8 + std::countl_zero(static_cast<uint8_t>(clear)));
}

// Last x <= upTo whose bit is clear, or -1.
template <typename ByteAt>
int LastClear(ByteAt byteAt, int upTo) {
    int i = upTo >> 3;
    unsigned clear = ~byteAt(i) & (0xFFu << (7 - (upTo & 7)));
    while ((clear & 0xFFu) == 0) {
        if (i == 0) return -1;
        clear = ~byteAt(--i);
    }
    return i * 8 + 7 - std::countr_zero(static_cast<uint8_t>(clear));
}

// Sets bits x0..x1 of a row.
inline void SetBits(uint8_t* row, int x0, int x1) {
    const int i0 = x0 >> 3;
    const int i1 = x1 >> 3;
    const auto head = static_cast<uint8_t>(0xFFu >> (x0 & 7));
    const auto tail = static_cast<uint8_t>(0xFFu << (7 - (x1 & 7)));
    if (i0 == i1) {
        row[i0] |= head & tail;
        return;
    }
    row[i0] |= head;
    std::memset(row + i0 + 1, 0xFF, static_cast<size_t>(i1 - i0 - 1));
    row[i1] |= tail;
}

}  // namespace velora
