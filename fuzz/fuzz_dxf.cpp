// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the DXF entity reader, counting what it passes over.
#include "core/common/errors.h"
#include "core/import/dxf_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Few placements, so that inputs whose blocks multiply stay quick to run.
    constexpr size_t kMaxPlacements = 20'000;
    velora::EntityTally ignored;
    velora::DxfContent content;
    try {
        content = velora::ReadDxf(
            QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
            &ignored, kMaxPlacements);
    } catch (const velora::FormatError&) {
        return 0;
    }
    // The tally of types passed over stays small whatever the file holds.
    if (ignored.Counts().size() > velora::EntityTally::kMaxTypes + 1) __builtin_trap();
    // Every path the reader hands on must be finite and in range.
    for (const velora::Path& path : content.paths) {
        for (velora::PointF p : path.Points()) {
            if (!(p.x >= -2e9f && p.x <= 2e9f && p.y >= -2e9f && p.y <= 2e9f)) __builtin_trap();
        }
    }
    return 0;
}
