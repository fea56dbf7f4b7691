// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edit/edits.h"

#include "core/edit/step_parts.h"
#include "core/geometry/region_data.h"
#include "core/geometry/region_recapture.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>
#include <QHash>

namespace velora {

namespace {

// A step's name as the user reads it in the Edit menu and the history.
QString StepName(const char* text) { return QCoreApplication::translate("velora", text); }

std::vector<QStringList> AreaNameLists(const CDrawingModel& model) {
    std::vector<QStringList> lists;
    lists.reserve(model.Areas().size());
    for (const CArea& area : model.Areas()) lists.push_back(area.Names());
    return lists;
}

// Parts for the areas (of those there were before) whose names changed.
// Name lists are shared until changed, so the copy before costs little.
void AddAreaNameChanges(EditStep& step, const std::vector<QStringList>& before,
                        const CDrawingModel& model) {
    for (size_t i = 0; i < before.size() && i < model.Areas().size(); ++i) {
        const QStringList& after = model.Areas()[i].Names();
        if (after != before[i]) {
            step.Add(parts::AreaNames(static_cast<int>(i), before[i], after));
        }
    }
}

// Runs a change of area members and makes a step of the areas it changed.
template <typename Change>
std::unique_ptr<EditStep> ChangeAreaNames(CDrawingModel& model, const QString& name,
                                          Change change) {
    const std::vector<QStringList> before = AreaNameLists(model);
    auto step = std::make_unique<EditStep>(name);
    if (!change()) return nullptr;
    AddAreaNameChanges(*step, before, model);
    return step;
}

QRegion RegionOfPixels(std::span<const QPoint> pixels) {
    std::vector<QRect> rects;
    rects.reserve(pixels.size());
    for (const QPoint& pixel : pixels) rects.emplace_back(pixel, QSize(1, 1));
    return RegionFromRects(rects);
}

// Captures again every region whose rectangles (its pixels and the outline
// around them) meet the changed pixels, adding a part for each new shape.
// A region the change left no light pixel keeps its shape.
void FollowMask(CDrawingModel& model, std::span<const QPoint> changedPixels, EditStep& step,
                RegionsFollowed* followed) {
    if (changedPixels.empty()) return;
    const QRegion changed = RegionOfPixels(changedPixels);
    const QRect changedBox = changed.boundingRect();
    for (size_t i = 0; i < model.Regions().size(); ++i) {
        const CRegionItem& item = *model.Regions()[i];
        const QRegion& before = item.GetRegion();
        if (!item.HasRegion() || !before.boundingRect().intersects(changedBox) ||
            !before.intersects(changed)) {
            continue;
        }
        const RecapturedRegion again = RecaptureRegion(before, model.GetMaskBitmap(), changed);
        if (again.region.isEmpty() || again.region == before) continue;
        if (followed && again.partsLeftOut > 0) {
            followed->cut.append(item.GetName());
            followed->partsLeftOut += again.partsLeftOut;
        }
        step.Add(parts::RegionShape(i, before, again.region));
        model.SetRegionShape(i, again.region);
    }
}

// Makes the pixels outline, and the regions follow.
void AddOutline(CDrawingModel& model, std::span<const QPoint> pixels, EditStep& step,
                RegionsFollowed* followed) {
    std::vector<QPoint> changed = model.SetMaskPixels(pixels, false);
    if (changed.empty()) return;
    step.Add(parts::MaskPixels(changed, false));
    FollowMask(model, changed, step, followed);
}

}  // namespace

namespace edits {

std::unique_ptr<EditStep> ClickRegion(CDrawingModel& model, QPoint pixel) {
    const CDrawingModel::RegionClick click = model.ToggleRegionAt(pixel);
    if (click.captured) {
        auto step =
            std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Capture region")));
        step->Add(parts::RegionInserted(click.index));
        return step;
    }
    const bool selected = model.Regions()[click.index]->IsSelected();
    auto step = std::make_unique<EditStep>(
        selected ? StepName(QT_TRANSLATE_NOOP("velora", "Select region"))
                 : StepName(QT_TRANSLATE_NOOP("velora", "Deselect region")));
    step->Add(parts::RegionSelected(click.index, !selected, selected));
    return step;
}

std::unique_ptr<EditStep> CaptureWithOutline(CDrawingModel& model, QPoint pixel,
                                             std::span<const QPoint> outline,
                                             RegionsFollowed* followed) {
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Capture region")));
    AddOutline(model, outline, *step, followed);
    const CDrawingModel::RegionClick click = model.ToggleRegionAt(pixel);
    if (click.captured) {
        step->Add(parts::RegionInserted(click.index));
    } else {
        const bool selected = model.Regions()[click.index]->IsSelected();
        step->Add(parts::RegionSelected(click.index, !selected, selected));
    }
    return step;
}

std::unique_ptr<EditStep> DrawOutline(CDrawingModel& model, std::span<const QPoint> pixels,
                                      const QString& name, RegionsFollowed* followed) {
    auto step = std::make_unique<EditStep>(name);
    AddOutline(model, pixels, *step, followed);
    return IfChanged(std::move(step));
}

std::unique_ptr<EditStep> CreateAreaFromSelected(CDrawingModel& model, const QString& name) {
    auto step =
        ChangeAreaNames(model, StepName(QT_TRANSLATE_NOOP("velora", "Create area from selected")),
                        [&] { return model.CreateAreaFromSelected(name); });
    if (step) step->Add(parts::AreaInserted(static_cast<int>(model.Areas().size()) - 1));
    return step;
}

std::unique_ptr<EditStep> AddSelectedToArea(CDrawingModel& model, int area) {
    return IfChanged(ChangeAreaNames(
        model, StepName(QT_TRANSLATE_NOOP("velora", "Add selected to existing area")),
        [&] { return model.AddSelectedToArea(area); }));
}

std::unique_ptr<EditStep> RemoveSelectedFromAreas(CDrawingModel& model, int area) {
    return IfChanged(ChangeAreaNames(
        model, StepName(QT_TRANSLATE_NOOP("velora", "Delete selected from existing area")),
        [&] { return model.RemoveSelectedFromAreas(area); }));
}

// The regions go back in list order on undo, so they are taken out again
// from the last on redo, where every index still stands.
std::unique_ptr<EditStep> DeleteSelectedRegions(CDrawingModel& model) {
    const std::vector<QStringList> before = AreaNameLists(model);
    std::vector<CDrawingModel::RemovedRegion> removed = model.DeleteSelectedRegions();
    if (removed.empty()) return nullptr;
    auto step = std::make_unique<EditStep>(
        StepName(QT_TRANSLATE_NOOP("velora", "Delete selected from cache")));
    AddAreaNameChanges(*step, before, model);
    for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
        step->Add(parts::RegionRemoved(it->index, std::move(it->item)));
    }
    return step;
}

std::unique_ptr<EditStep> DeleteSelectedCurves(CDrawingModel& model) {
    const std::vector<QStringList> before = AreaNameLists(model);
    std::vector<CDrawingModel::RemovedCurve> removed = model.TakeSelectedCurves();
    if (removed.empty()) return nullptr;
    auto step =
        std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Delete selected areas")));
    AddAreaNameChanges(*step, before, model);
    for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
        step->Add(parts::CurveRemoved(it->index, std::move(it->item)));
    }
    return step;
}

std::unique_ptr<EditStep> DeleteArea(CDrawingModel& model, int area) {
    std::optional<CArea> taken = model.TakeArea(area);
    if (!taken) return nullptr;
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Delete area")));
    step->Add(parts::AreaRemoved(area, std::move(*taken)));
    return step;
}

std::unique_ptr<EditStep> RenameArea(CDrawingModel& model, int area, const QString& name) {
    if (area < 0 || static_cast<size_t>(area) >= model.Areas().size()) return nullptr;
    const QString before = model.Areas()[area].GetName();
    if (before == name) return nullptr;
    model.RenameArea(area, name);
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Rename area")));
    step->Add(parts::AreaName(area, before, name));
    return step;
}

std::unique_ptr<EditStep> SetTemplateName(CDrawingModel& model, const QString& name) {
    const QString before = model.GetTemplateName();
    if (before == name) return nullptr;
    model.SetTemplateName(name);
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Template name")));
    step->Add(parts::TemplateName(before, name));
    return step;
}

std::unique_ptr<EditStep> SetSmoothLines(CDrawingModel& model, bool smooth, bool endCorrection) {
    const parts::ViewFlags before{model.GetSmoothLines(), model.GetCorrectionMode()};
    model.SetSmoothLines(smooth);
    if (smooth && endCorrection) model.SetCorrectionMode(false);
    const parts::ViewFlags after{model.GetSmoothLines(), model.GetCorrectionMode()};
    auto step =
        std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Smooth lines")), false);
    step->Add(parts::Flags(before, after));
    return step;
}

std::unique_ptr<EditStep> ColourArea(CDrawingModel& model, int area, const QImage& image) {
    if (area < 0 || static_cast<size_t>(area) >= model.Areas().size()) return nullptr;
    const CArea::ImageRef before = model.Areas()[area].GetImageRef();
    if (!model.SetAreaImage(area, image)) return nullptr;
    auto step = std::make_unique<EditStep>(
        StepName(QT_TRANSLATE_NOOP("velora", "Colour \"%1\"")).arg(model.Areas()[area].GetName()));
    step->Add(parts::AreaImage(area, before, model.Areas()[area].GetImageRef()));
    return step;
}

std::unique_ptr<EditStep> RemoveAreaImage(CDrawingModel& model, int area) {
    if (area < 0 || static_cast<size_t>(area) >= model.Areas().size()) return nullptr;
    const CArea::ImageRef before = model.Areas()[area].GetImageRef();
    if (before == CArea::ImageRef{}) return nullptr;
    model.SetAreaImageRef(area, {});
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Remove texture")));
    step->Add(parts::AreaImage(area, before, {}));
    return step;
}

std::unique_ptr<EditStep> EditTextures(CDrawingModel& model, const QString& name,
                                       const std::function<void(CDrawingModel&)>& change) {
    const QStringList before = model.Textures();
    change(model);
    if (model.Textures() == before) return nullptr;
    auto step = std::make_unique<EditStep>(name);
    step->Add(parts::Textures(before, model.Textures()));
    return step;
}

QStringList CarryAreaImages(const CDrawingModel& from, ModelContent& to) {
    QHash<QString, const CArea*> coloured;
    QStringList coloredNames;
    for (const CArea& area : from.Areas()) {
        if (area.HasImage() && !coloured.contains(area.GetName())) {
            coloured.insert(area.GetName(), &area);
            coloredNames.append(area.GetName());
        }
    }
    for (CArea& area : to.areas) {
        if (const CArea* source = coloured.value(area.GetName())) {
            area.SetImageRef(source->GetImageRef());
            coloredNames.removeAll(area.GetName());
        }
    }
    return coloredNames;
}

std::unique_ptr<EditStep> ReplaceContent(CDrawingModel& model, ModelContent content,
                                         const QString& name) {
    auto step = std::make_unique<EditStep>(name);
    step->Add(parts::Content(model.SwapContent(std::move(content))));
    return step;
}

}  // namespace edits

void PenStroke::Paint(QPoint pixel) { Paint({&pixel, 1}); }

void PenStroke::Paint(std::span<const QPoint> pixels) {
    const std::vector<QPoint> changed = m_model.SetMaskPixels(pixels, m_light);
    m_changed.insert(m_changed.end(), changed.begin(), changed.end());
}

std::unique_ptr<EditStep> PenStroke::Finish(RegionsFollowed* followed) {
    if (m_changed.empty()) return nullptr;
    auto step = std::make_unique<EditStep>(StepName(QT_TRANSLATE_NOOP("velora", "Pen stroke")));
    m_changed.shrink_to_fit();
    step->Add(parts::MaskPixels(m_changed, m_light));
    FollowMask(m_model, m_changed, *step, followed);
    m_changed.clear();
    return step;
}

}  // namespace velora
