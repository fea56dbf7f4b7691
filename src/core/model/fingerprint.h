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
        m_hash ^= value + 0x9E3779B97F4A7C15ull + (m_hash << 6) + (m_hash >> 2);
        return *this;
    }

    Fingerprint& AddBytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        size_t i = 0;
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
    uint64_t m_hash = 0;
};

}  // namespace velora
