// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the DXF entity reader, counting what it passes over.
#include "core/import/dxf_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velora::EntityTally ignored;
    const auto paths = velora::ReadDxfPaths(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        &ignored);
    // The tally of types passed over stays small whatever the file holds.
    if (ignored.Counts().size() > velora::EntityTally::kMaxTypes + 1) __builtin_trap();
    // Every path the reader hands on must be finite and in range.
    for (const velora::Path& path : paths) {
        for (velora::PointF p : path.Points()) {
            if (!(p.x >= -2e9f && p.x <= 2e9f && p.y >= -2e9f && p.y <= 2e9f)) __builtin_trap();
        }
    }
    return 0;
}
