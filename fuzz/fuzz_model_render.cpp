// SPDX-License-Identifier: GPL-3.0-or-later
// Template and design files loaded, then drawn as the program draws them: a
// view's picture of the drawing's top left in screen mode, with and without
// selected regions, a small export through a scaling painter, and a save
// with a fresh preview. Tiles, the 16-bit painter, the curve layer and the
// preview meet the fuzzed bytes, not only the reader.

#include "model_fuzz_support.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// A view shows this much of the drawing at most.
constexpr int kViewSide = 64;
constexpr int kExportSide = 24;
// The preview renders the whole drawing first; larger ones are slow, not
// different.
constexpr qint64 kMaxSavedPixels = 256 * 256;

void RenderView(velora::CDrawingModel& model) {
    QImage view(std::min(model.GetWidth(), kViewSide), std::min(model.GetHeight(), kViewSide),
                QImage::Format_RGB16);
    QPainter painter(&view);
    model.Render(painter, false);
}

void RenderSmallExport(velora::CDrawingModel& model) {
    QImage picture(kExportSide, kExportSide, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.scale(double(kExportSide) / model.GetWidth(), double(kExportSide) / model.GetHeight());
    model.Render(painter, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    NullUserInterface nobody;
    CDrawingModel model;
    model.SetUserInterface(&nobody);
    if (!fuzz::LoadFuzzedModel(model, data, size)) return 0;
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) return 0;

    RenderView(model);
    for (size_t i = 0; i < model.Regions().size(); ++i) model.SetRegionSelected(i, true);
    RenderView(model);
    model.SetSmoothLines(!model.GetSmoothLines());
    RenderSmallExport(model);

    if (qint64(model.GetWidth()) * model.GetHeight() > kMaxSavedPixels) return 0;
    fuzz::CheckResaveLoads(model);
    return 0;
}
