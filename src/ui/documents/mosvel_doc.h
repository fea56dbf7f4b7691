// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/command_target.h"
#include "ui/documents/document_base.h"

namespace velora {

class CMosvelView;

// The document of a velora (a design): a template whose areas carry images.
class CMosvelDoc : public DocumentBase, public MappedCommandTarget<CMosvelDoc> {
    Q_OBJECT
public:
    explicit CMosvelDoc(IUserInterface& user);

    static const CommandMap<CMosvelDoc>& Commands();

    void OnSelectTemplate();
    void OnExport();
    void OnSmooth();
    void OnUpdateSmooth(CommandUpdate& update);
    void OnRemoveTexture();
    void OnUpdateRemoveTexture(CommandUpdate& update);

    // Loads a template file into the design as one step: all or nothing.
    // Areas of the new template keep the texture of the design's area of
    // the same name; the others are listed in the status bar. False, with
    // the user told why, when it cannot be read.
    bool LoadTemplate(const QString& path);

protected:
    void AfterLoad() override;

private:
    CMosvelView* FirstDesignView() const;
};

}  // namespace velora
