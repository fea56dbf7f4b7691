// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/folder_library_dlg.h"

namespace velora {

class CTexturePalette;

// The texture groups: one folder level below the textures folder, each
// group a folder of texture images. Groups are created and deleted, images
// added and deleted, and moved between groups by dragging them from the
// palette onto a group (or from a file manager). Everything acts on disk at
// once; OK and Cancel only close the dialog.
class CTextureGroupsDlg : public CFolderLibraryDlg {
    Q_OBJECT
public:
    explicit CTextureGroupsDlg(IUserInterface& user, QWidget* parent = nullptr);

    CTexturePalette& Palette() const { return *m_palette; }

private:
    CTexturePalette* m_palette;
};

}  // namespace velora
