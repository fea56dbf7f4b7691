// SPDX-License-Identifier: GPL-3.0-or-later
// Template and design files: the container, then the model stream loaded
// into a model with content (a file without the magic goes straight to the
// stream). A model that loads is saved again when it is small enough to
// render quickly, and the saved stream must load.

#include "model_fuzz_support.h"

#include <cstddef>
#include <cstdint>

namespace {

// Rendering the thumbnail of a huge drawing is slow, not wrong.
constexpr qint64 kMaxResavedPixels = 1 << 20;

void SeedModel(velora::CDrawingModel& model) {
    model.SetTemplateName("seed");
    model.SetTextures({"a/b.png"});
    auto region = std::make_unique<velora::CRegionItem>();
    region->AssignRegion(QRegion(1, 1, 3, 3));
    model.AddRegion(std::move(region));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    NullUserInterface nobody;
    CDrawingModel model;
    model.SetUserInterface(&nobody);
    SeedModel(model);
    if (!fuzz::LoadFuzzedModel(model, data, size)) {
        // Refused: the model must be exactly as it was.
        if (model.GetTemplateName() != "seed" || model.Regions().size() != 1) __builtin_trap();
        return 0;
    }
    // Area images are decoded when first used; use them here so the decoder
    // meets the fuzzed bytes too.
    for (const CArea& area : model.Areas()) area.GetImage();
    if (qint64(model.GetWidth()) * model.GetHeight() > kMaxResavedPixels) return 0;
    fuzz::CheckResaveLoads(model);
    return 0;
}
