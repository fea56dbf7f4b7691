// SPDX-License-Identifier: GPL-3.0-or-later
// PDF documents as the import reads them: opened by Poppler, unlocked with a
// guessed password when protected, every page size read and the first page
// rendered into the recording paint device.
#include "core/common/errors.h"
#include "core/import/pdf_import.h"
#include "recording_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        PdfDrawing drawing(bytes);
        if (drawing.IsLocked() && !drawing.Unlock(QStringLiteral("velora"))) return 0;
        const std::vector<QSizeF> pages = drawing.PageSizes();
        if (pages.empty() || pages.size() > size_t{kMaxPdfPages}) __builtin_trap();
        if (!fuzz::FiguresAreSound(drawing.RecordPage(1))) __builtin_trap();
    } catch (const VeloraError&) {
    }
    return 0;
}
