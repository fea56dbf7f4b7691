// SPDX-License-Identifier: GPL-3.0-or-later
// SVG drawings as the import reads them: unpacked when compressed, checked
// for their size, rendered into the recording paint device. Whatever the
// bytes, the figures handed on are finite and within the recording's limits.
#include "core/common/errors.h"
#include "core/import/svg_import.h"
#include "gui_fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    velora::fuzz::StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const RecordedFigures figures = RecordSvg(SvgText(bytes));
        if (figures.paths.size() != figures.closed.size()) __builtin_trap();
        if (figures.points > RecordingPaintDevice::kMaxPoints) __builtin_trap();
        for (const Path& path : figures.paths) {
            for (PointF p : path.Points()) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) __builtin_trap();
            }
        }
    } catch (const VeloraError&) {
    }
    return 0;
}
