// SPDX-License-Identifier: GPL-3.0-or-later
// SVG drawings as the import reads them: unpacked when compressed, checked
// for their size, rendered into the recording paint device.
#include "core/common/errors.h"
#include "core/import/svg_import.h"
#include "recording_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        if (!fuzz::FiguresAreSound(RecordSvg(SvgText(bytes)))) __builtin_trap();
    } catch (const VeloraError&) {
    }
    return 0;
}
