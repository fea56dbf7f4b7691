// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edit/edit_step.h"
#include "core/model/area.h"
#include "core/model/model_content.h"

#include <QPoint>
#include <QRegion>
#include <QStringList>

#include <memory>
#include <vector>

namespace velora {

class CRegionItem;

// The reversible pieces that edit steps are made of. Each is made after its
// change was done on the model, from what the change replaced; the pieces
// that take something out of the model hold it while it is out.
namespace parts {

// The region now at the index was put there.
std::unique_ptr<StepPart> RegionInserted(size_t index);
// The region was taken from the index.
std::unique_ptr<StepPart> RegionRemoved(size_t index, std::unique_ptr<CRegionItem> region);
std::unique_ptr<StepPart> RegionSelected(size_t index, bool before, bool after);
std::unique_ptr<StepPart> RegionShape(size_t index, QRegion before, QRegion after);
// The curve was taken from the index.
std::unique_ptr<StepPart> CurveRemoved(size_t index, std::unique_ptr<CCurve> curve);

std::unique_ptr<StepPart> AreaNames(int index, QStringList before, QStringList after);
// The area now at the index was put there.
std::unique_ptr<StepPart> AreaInserted(int index);
// The area was taken from the index.
std::unique_ptr<StepPart> AreaRemoved(int index, CArea area);
std::unique_ptr<StepPart> AreaImage(int index, CArea::ImageRef before, CArea::ImageRef after);
std::unique_ptr<StepPart> AreaName(int index, QString before, QString after);

std::unique_ptr<StepPart> Textures(QStringList before, QStringList after);
std::unique_ptr<StepPart> TemplateName(QString before, QString after);

// How the model is shown: smooth lines and correction mode.
struct ViewFlags {
    bool smoothLines = true;
    bool correctionMode = false;
};
std::unique_ptr<StepPart> Flags(ViewFlags before, ViewFlags after);

// The mask pixels were made light (or dark); each of them was the other
// before.
std::unique_ptr<StepPart> MaskPixels(std::vector<QPoint> pixels, bool light);

// The model's whole content was replaced; this is what stood before.
std::unique_ptr<StepPart> Content(ModelContent previous);

}  // namespace parts

// The bytes an image reference holds.
int64_t ImageCost(const CArea::ImageRef& image);

}  // namespace velora
