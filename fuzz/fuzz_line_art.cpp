// SPDX-License-Identifier: GPL-3.0-or-later
// Raster line art as the import reads it: decoded, laid on paper, thresholded
// where Otsu's method says and traced. Every traced figure is closed.
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/import/line_art_trace.h"
#include "core/import/raster_import.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QImage grey;
    try {
        grey = LineArtGrey(DecodeLineArt(bytes));
    } catch (const VeloraError&) {
        return 0;
    }
    // Tracing time grows with the picture; the decoder's limits are for
    // real scans, the fuzzer's pictures stay small.
    if (qint64(grey.width()) * grey.height() > (qint64(1) << 22)) return 0;
    const int threshold = OtsuThreshold(grey);
    if (threshold < 0 || threshold > 255) __builtin_trap();
    NullUserInterface nobody;
    for (const Path& figure : TraceLineArt(grey, threshold, 4, nobody)) {
        if (figure.IsEmpty() || !(figure.Types().back() & PathPointType::CloseSubpath))
            __builtin_trap();
    }
    return 0;
}
