// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/gap_closing.h"
#include "ui/controls/command_target.h"
#include "ui/documents/document_base.h"

namespace velora {

class CMosvelTemplateView;

// The document of a template: regions captured from the drawing's mask and
// grouped into named areas.
class CMosvelTemplateDoc : public DocumentBase, public MappedCommandTarget<CMosvelTemplateDoc> {
    Q_OBJECT
public:
    explicit CMosvelTemplateDoc(IUserInterface& user);

    static const CommandMap<CMosvelTemplateDoc>& Commands();

    // Imports a drawing (metafile or DXF) into the model. False when it
    // failed (the user was told why).
    bool ImportDrawing(const QString& path);
    // What the last import should tell the user without stopping them: what
    // the drawing held that the template leaves out, and that no shape is
    // closed when so; empty when there is nothing to say.
    const QString& ImportNotice() const { return m_importNotice; }

    void OnCreateArea();
    void OnAddToArea();
    void OnDeleteFromArea();
    void OnLevelDown();
    void OnLevelUp();
    void OnToBottomLevel();
    void OnToTopLevel();
    void OnDeleteSelectedCurves();
    void OnTemplateName();
    void OnCloseGaps();
    void OnCloseGapsWhenClickFloods();

    void OnUpdateNeedsSelection(CommandUpdate& update);
    void OnUpdateCloseGaps(CommandUpdate& update);
    void OnUpdateCloseGapsWhenClickFloods(CommandUpdate& update);

protected:
    void AfterLoad() override;

private:
    // Runs a level move of the model and shows its result.
    void ChangeLevels(void (CDrawingModel::*move)());
    // An area command takes effect as a step; one that changed nothing
    // still marks the template modified, as these commands always have.
    void EditOrMark(std::unique_ptr<EditStep> step);

    CMosvelTemplateView* FirstTemplateView() const;
    // Shows the joins in every view of the template; none ends the preview.
    void ShowJoinPreview(const std::vector<GapJoin>& joins);

    QString m_importNotice;
};

}  // namespace velora
