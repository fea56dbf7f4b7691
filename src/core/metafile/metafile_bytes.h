// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace velora {

// Little-endian reads from a byte range. Every read is checked against the
// range, so a damaged count can never take a read outside the input.
class LittleEndianBytes {
public:
    explicit LittleEndianBytes(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype Size() const { return m_bytes.size(); }
    QByteArrayView View() const { return m_bytes; }
    // True when count bytes starting at offset lie inside the range.
    bool Has(uint64_t offset, uint64_t count) const {
        const auto size = static_cast<uint64_t>(m_bytes.size());
        return offset <= size && count <= size - offset;
    }
    // Each read returns 0 when the value does not lie inside the range.
    uint16_t U16(uint64_t offset) const { return static_cast<uint16_t>(Read(offset, 2)); }
    int16_t I16(uint64_t offset) const { return static_cast<int16_t>(U16(offset)); }
    uint32_t U32(uint64_t offset) const { return static_cast<uint32_t>(Read(offset, 4)); }
    int32_t I32(uint64_t offset) const { return static_cast<int32_t>(U32(offset)); }

private:
    uint64_t Read(uint64_t offset, int count) const {
        if (!Has(offset, static_cast<uint64_t>(count))) return 0;
        uint64_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value =
                (value << 8) | static_cast<uint8_t>(m_bytes[static_cast<qsizetype>(offset) + i]);
        return value;
    }

    QByteArrayView m_bytes;
};

}  // namespace velora
