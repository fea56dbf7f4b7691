// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/lzw_strip.h"

#include <algorithm>

namespace velora {

namespace {
constexpr int kMinBits = 9;
constexpr int kMaxBits = 12;
constexpr unsigned kClearCode = 256;
constexpr unsigned kEndCode = 257;
constexpr int kFirstCode = 258;
constexpr int kLargestCode = (1 << kMaxBits) - 1;
// Input bytes between two looks at the compression ratio.
constexpr int64_t kRatioGap = 10000;
// Four times the codes a table holds, so that most looks find their entry
// or an empty one at the first try.
constexpr int kTableBits = 14;

int LargestCodeOf(int bits) { return (1 << bits) - 1; }

// Codes packed most significant bit first.
class CodeWriter {
public:
    explicit CodeWriter(uint8_t* out) : m_out(out) {}

    void Put(unsigned code, int bits) {
        m_data = (m_data << bits) | code;
        m_bits += bits;
        *m_out++ = uint8_t(m_data >> (m_bits - 8));
        m_bits -= 8;
        if (m_bits >= 8) {
            *m_out++ = uint8_t(m_data >> (m_bits - 8));
            m_bits -= 8;
        }
    }
    uint8_t* Finish() {
        if (m_bits > 0) *m_out++ = uint8_t(m_data << (8 - m_bits));
        return m_out;
    }

private:
    uint8_t* m_out;
    uint64_t m_data = 0;
    int m_bits = 0;
};
}  // namespace

LzwStrip::LzwStrip() : m_table(size_t(1) << kTableBits) {}

void LzwStrip::ClearTable() {
    if (++m_generation == 0) {
        std::fill(m_table.begin(), m_table.end(), Entry{});
        m_generation = 1;
    }
}

void LzwStrip::Compress(std::span<const uint8_t> bytes, std::vector<uint8_t>& out) {
    // At most one 12-bit code a byte, and the clear and end codes.
    out.resize(bytes.size() * 3 / 2 + 16);
    CodeWriter writer(out.data());
    int bits = kMinBits;
    int largest = LargestCodeOf(bits);
    int next = kFirstCode;
    int64_t inCount = 0;
    int64_t outCount = 0;  // in bits
    int64_t checkpoint = kRatioGap;
    int64_t ratio = 0;
    const auto put = [&](unsigned code) {
        writer.Put(code, bits);
        outCount += bits;
    };
    const auto restart = [&] {
        ClearTable();
        ratio = 0;
        inCount = 0;
        outCount = 0;
        next = kFirstCode;
        put(kClearCode);
        bits = kMinBits;
        largest = LargestCodeOf(bits);
    };

    ClearTable();
    unsigned prefix = 0;
    bool started = false;
    if (!bytes.empty()) {
        put(kClearCode);
        prefix = bytes[0];
        inCount = 1;
        started = true;
    }
    const uint32_t mask = (uint32_t(1) << kTableBits) - 1;
    for (size_t i = 1; i < bytes.size(); ++i) {
        const unsigned byte = bytes[i];
        ++inCount;
        const uint32_t key = ((byte << kMaxBits) | prefix) + 1;
        uint32_t slot = (key * 2654435761u) >> (32 - kTableBits);
        Entry* entry = &m_table[slot];
        while (entry->generation == m_generation && entry->key != key) {
            slot = (slot + 1) & mask;
            entry = &m_table[slot];
        }
        if (entry->generation == m_generation) {
            prefix = entry->code;
            continue;
        }
        put(prefix);
        prefix = byte;
        *entry = {key, uint16_t(next++), m_generation};
        if (next == kLargestCode - 1) {
            restart();
        } else if (next > largest) {
            ++bits;
            largest = LargestCodeOf(bits);
        } else if (inCount >= checkpoint) {
            // The ratio in 24.8 fixed point; a table that stops paying is
            // started anew.
            checkpoint = inCount + kRatioGap;
            int64_t now;
            if (inCount > 0x007fffff) {
                now = outCount >> 8;
                now = now == 0 ? 0x7fffffff : inCount / now;
            } else {
                now = (inCount << 8) / outCount;
            }
            if (now <= ratio) {
                restart();
            } else {
                ratio = now;
            }
        }
    }
    if (started) {
        put(prefix);
        ++next;
        if (next == kLargestCode - 1) {
            put(kClearCode);
            bits = kMinBits;
        } else if (next > largest) {
            ++bits;
        }
    }
    put(kEndCode);
    out.resize(size_t(writer.Finish() - out.data()));
}

void PredictRows(uint8_t* rows, size_t rowBytes, size_t rowCount, int stride) {
    const size_t step = size_t(stride);
    for (size_t r = 0; r < rowCount; ++r) {
        uint8_t* row = rows + r * rowBytes;
        for (size_t i = rowBytes; i-- > step;) row[i] = uint8_t(row[i] - row[i - step]);
    }
}

}  // namespace velora
