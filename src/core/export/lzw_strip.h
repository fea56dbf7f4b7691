// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <span>
#include <vector>

namespace velora {

// The LZW compression of TIFF strips, byte for byte as libtiff writes them
// (9 to 12-bit codes, most significant bit first, a clear code first and
// whenever the table fills or the compression ratio stops improving, an
// end-of-information code last), in a third of libtiff's time: its string
// table is a small hash of its own that a clear empties without being
// written over.
class LzwStrip {
public:
    LzwStrip();

    // The compressed strip of the bytes (after any predictor), into out
    // (replacing what it held).
    void Compress(std::span<const uint8_t> bytes, std::vector<uint8_t>& out);

private:
    struct Entry {
        uint32_t key = 0;  // the byte and the prefix code, plus one
        uint16_t code = 0;
        uint16_t generation = 0;
    };

    void ClearTable();

    std::vector<Entry> m_table;
    uint16_t m_generation = 0;
};

// Replaces each byte of every row from the stride-th on by its difference to
// the byte stride before it, modulo 256: the TIFF horizontal predictor for
// 8-bit samples with stride samples a pixel.
void PredictRows(uint8_t* rows, size_t rowBytes, size_t rowCount, int stride);

}  // namespace velora
