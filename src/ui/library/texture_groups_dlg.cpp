// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/texture_groups_dlg.h"

#include "core/common/library_folders.h"
#include "ui/controls/folder_tree.h"
#include "ui/library/texture_palette.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace velora {

namespace {
int g_groupCounter = 1;
}  // namespace

CTextureGroupsDlg::CTextureGroupsDlg(IUserInterface& user, QWidget* parent)
    : CFolderLibraryDlg(user, CurrentLibraryFolders().textures, tr("Textures"),
                        QStringLiteral("*.*"), false, parent),
      m_palette(new CTexturePalette(this)) {
    setWindowTitle(tr("Textures groups"));
    m_palette->setAccessibleName(tr("Textures"));
    AttachGrid(m_palette);

    QPushButton* createGroup = MakeButton(tr("C&reate new group"));
    QPushButton* deleteGroup = MakeButton(tr("De&lete group"));
    QPushButton* addTextures = MakeButton(tr("&Add textures..."));
    QPushButton* deleteTexture = MakeButton(tr("&Delete texture"));
    QPushButton* ok = MakeButton(tr("&OK"));
    QPushButton* cancel = MakeButton(tr("&Cancel"));
    ok->setDefault(true);
    connect(createGroup, &QPushButton::clicked, this, [this] {
        CreateFolder(RootItem(), {tr("Enter group name"), tr("Group name:"),
                                  QStringLiteral("Group"), &g_groupCounter});
    });
    connect(deleteGroup, &QPushButton::clicked, this, [this] {
        DeleteCurrentFolder(tr("Would you like to delete selected group and all it's textures?"));
    });
    connect(addTextures, &QPushButton::clicked, this, [this] {
        AddFiles(tr("All available formats(*.bmp,*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf)"
                    "|*.bmp;*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf|All files(*.*)|*.*|"),
                 {});
    });
    connect(deleteTexture, &QPushButton::clicked, this,
            [this] { DeleteSelectedFiles(tr("Would you like to delete selected texture?")); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    TrackDeleteButton(deleteGroup);

    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addStretch();
    closing->addWidget(cancel);
    ArrangeControls({createGroup, deleteGroup}, {addTextures, deleteTexture}, nullptr, closing);
}

}  // namespace velora
