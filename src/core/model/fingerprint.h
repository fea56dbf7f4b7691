// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velora {

// A cheap 64-bit fingerprint of what a cached picture was drawn from: a
// change to any input changes it (up to a collision no user will meet).
class Fingerprint {
public:
    Fingerprint& Add(uint64_t value) {
        m_hash = Mix(m_hash, value);
        return *this;
    }

    // Long runs of bytes go in four independent lanes, which the processor
    // works on side by side, folded in at the end.
    Fingerprint& AddBytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        size_t i = 0;
        if (size >= 64) {
            uint64_t lanes[4] = {m_hash, m_hash + 1, m_hash + 2, m_hash + 3};
            for (; i + 32 <= size; i += 32) {
                for (int lane = 0; lane < 4; ++lane) {
                    uint64_t word;
                    std::memcpy(&word, bytes + i + 8 * lane, 8);
                    lanes[lane] = Mix(lanes[lane], word * 0xFF51AFD7ED558CCDull);
                }
            }
            for (const uint64_t lane : lanes) Add(lane);
        }
        for (; i + 8 <= size; i += 8) {
            uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            Add(word * 0xFF51AFD7ED558CCDull);
        }
        uint64_t tail = 0;
        // An empty list's data pointer may be null, which memcpy must not get.
        if (size > i) std::memcpy(&tail, bytes + i, size - i);
        return Add(tail ^ size);
    }

    uint64_t Value() const { return m_hash; }

private:
    static uint64_t Mix(uint64_t hash, uint64_t value) {
        return hash ^ (value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2));
    }

    uint64_t m_hash = 0;
};

}  // namespace velora
