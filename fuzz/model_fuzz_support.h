// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Loading a model from fuzzed bytes and saving it again, shared by the
// targets that fuzz template and design files.

#include "core/archive/archive.h"
#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"

#include <QImageReader>

#include <cstddef>
#include <cstdint>

namespace velora::fuzz {

// Loads the bytes as a file is loaded: the container, or a bare stream when
// the magic is missing. False when they are refused.
inline bool LoadFuzzedModel(CDrawingModel& model, const uint8_t* data, size_t size) {
    NullUserInterface nobody;
    try {
        const QByteArray stream = CProtectedArchive::Unpack({data, size}, {}, nobody);
        ArchiveReader reader(stream);
        model.Serialize(reader);
    } catch (const VeloraError&) {
        return false;
    }
    return true;
}

// Saves the model, with a fresh preview, and stops the fuzzer unless the
// saved stream loads as the same drawing.
inline void CheckResaveLoads(CDrawingModel& model) {
    NullUserInterface nobody;
    ArchiveWriter writer;
    model.Serialize(writer);
    CDrawingModel again;
    again.SetUserInterface(&nobody);
    ArchiveReader reader(writer.Data());
    again.Serialize(reader);
    if (again.Regions().size() != model.Regions().size() ||
        again.Areas().size() != model.Areas().size() || again.GetWidth() != model.GetWidth() ||
        again.GetHeight() != model.GetHeight()) {
        __builtin_trap();
    }
}

}  // namespace velora::fuzz

// Each fuzz target includes this header from its one source file, so each
// gets this start-up exactly once: images the fuzzed bytes declare stay
// small enough to decode quickly.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QImageReader::setAllocationLimit(32);
    return 0;
}
