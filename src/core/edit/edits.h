// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edit/edit_step.h"
#include "core/model/model_content.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace velora {

class CDrawingModel;

// What a change of mask pixels did to the regions captured around it: the
// names of the regions it cut in parts (each kept the largest) and how many
// parts were left uncaptured.
struct RegionsFollowed {
    QStringList cut;
    int partsLeftOut = 0;
};

// The changes a user makes to a document. Each does its change on the model
// at once and gives back the step that takes it back, named for the user;
// none when it changed nothing. Answers a change needs (a name, a file's
// content) are asked before and handed in.
namespace edits {

// A click at a drawing pixel: toggles the region there or captures one.
std::unique_ptr<EditStep> ClickRegion(CDrawingModel& model, QPoint pixel);
// A click that captures once the outline its space lacks (the joins that
// close its gaps) is drawn into the mask: one step.
std::unique_ptr<EditStep> CaptureWithOutline(CDrawingModel& model, QPoint pixel,
                                             std::span<const QPoint> outline,
                                             RegionsFollowed* followed = nullptr);
// Mask pixels made outline as one step under the name ("Close gaps").
std::unique_ptr<EditStep> DrawOutline(CDrawingModel& model, std::span<const QPoint> pixels,
                                      const QString& name, RegionsFollowed* followed = nullptr);
std::unique_ptr<EditStep> CreateAreaFromSelected(CDrawingModel& model, const QString& name);
std::unique_ptr<EditStep> AddSelectedToArea(CDrawingModel& model, int area);
std::unique_ptr<EditStep> RemoveSelectedFromAreas(CDrawingModel& model, int area);
std::unique_ptr<EditStep> DeleteSelectedRegions(CDrawingModel& model);
std::unique_ptr<EditStep> DeleteSelectedCurves(CDrawingModel& model);
std::unique_ptr<EditStep> DeleteArea(CDrawingModel& model, int area);
std::unique_ptr<EditStep> RenameArea(CDrawingModel& model, int area, const QString& name);
std::unique_ptr<EditStep> SetTemplateName(CDrawingModel& model, const QString& name);
// Smooth lines on or off; in the template view turning them on also ends
// correction mode. Not a change of what is saved.
std::unique_ptr<EditStep> SetSmoothLines(CDrawingModel& model, bool smooth, bool endCorrection);
std::unique_ptr<EditStep> ColourArea(CDrawingModel& model, int area, const QImage& image);
// An area's image taken off, so the area shows no texture.
std::unique_ptr<EditStep> RemoveAreaImage(CDrawingModel& model, int area);
// A change of the texture list, made by the function, under the name.
std::unique_ptr<EditStep> EditTextures(CDrawingModel& model, const QString& name,
                                       const std::function<void(CDrawingModel&)>& change);

// What a new template brings to a design that already has coloured areas:
// each of its areas takes the image of the design's area of the same name.
// Gives back the names of the coloured areas that found no such area.
QStringList CarryAreaImages(const CDrawingModel& from, ModelContent& to);
// The design takes the template's content (Select template).
std::unique_ptr<EditStep> ReplaceContent(CDrawingModel& model, ModelContent content,
                                         const QString& name);

}  // namespace edits

// A pen stroke from press to release: each pixel is painted at once, and
// the stroke becomes one step holding the pixels it changed.
//
// Every step that changes mask pixels also captures again each region whose
// pixels or outline they changed, from its pixels the change left alone: it
// keeps its name, areas and selection, and of the spaces it was cut into
// the largest.
class PenStroke {
public:
    PenStroke(CDrawingModel& model, bool light) : m_model(model), m_light(light) {}
    bool IsLight() const { return m_light; }
    void Paint(QPoint pixel);
    void Paint(std::span<const QPoint> pixels);
    // The step of the whole stroke, none when it changed nothing.
    std::unique_ptr<EditStep> Finish(RegionsFollowed* followed = nullptr);

private:
    CDrawingModel& m_model;
    bool m_light;
    std::vector<QPoint> m_changed;
};

}  // namespace velora
