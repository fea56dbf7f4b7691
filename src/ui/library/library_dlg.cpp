// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/library_dlg.h"

#include "core/common/file_mask.h"
#include "core/common/library_folders.h"
#include "core/common/user_interface.h"
#include "ui/controls/folder_tree.h"
#include "ui/library/preview_grid.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velora {

namespace {

int g_templateFolderCounter = 1;
int g_veloraFolderCounter = 1;

LibraryTraits TemplateTraits() {
    return {QCoreApplication::translate("velora", "Select template"),
            CurrentLibraryFolders().templates,
            QStringLiteral("*.mtp"),
            QStringLiteral(".mtp"),
            QCoreApplication::translate("velora", "Templates"),
            QCoreApplication::translate("velora", "Template &name:"),
            QCoreApplication::translate("velora", "Please select template"),
            QCoreApplication::translate("velora",
                                        "Please select folder for template and type template name"),
            QCoreApplication::translate(
                "velora", "Would you like to delete selected folder and all it's templates?"),
            &g_templateFolderCounter,
            true,
            QCoreApplication::translate("velora", "Mosvel template(*.mtp)|*.mtp|"),
            QStringLiteral(".mtp"),
            QCoreApplication::translate("velora", "&Add templates..."),
            QCoreApplication::translate("velora", "&Delete template"),
            QCoreApplication::translate("velora", "Would you like to delete selected template?")};
}

LibraryTraits VeloraTraits() {
    return {QCoreApplication::translate("velora", "Select velora"),
            CurrentLibraryFolders().veloras,
            QStringLiteral("*.vld"),
            QStringLiteral(".vld"),
            QCoreApplication::translate("velora", "Veloras"),
            QCoreApplication::translate("velora", "Velora &name:"),
            QCoreApplication::translate("velora", "Please select velora"),
            QCoreApplication::translate("velora",
                                        "Please select folder for velora and type velora name"),
            QCoreApplication::translate(
                "velora", "Would you like to delete selected folder and all it's velroas?"),
            &g_veloraFolderCounter,
            false,
            {},
            {},
            {},
            {},
            {}};
}

}  // namespace

CLibraryDlg::CLibraryDlg(const LibraryTraits& traits, LibraryMode mode, IUserInterface& user,
                         QWidget* parent)
    : CFolderLibraryDlg(user, traits.folder, traits.rootText, traits.mask, true, parent),
      m_traits(traits),
      m_mode(mode),
      m_grid(new CPreviewGrid(this)),
      m_prompt(new QLabel(this)),
      m_nameLabel(new QLabel(traits.nameLabel, this)),
      m_nameEdit(new QLineEdit(this)) {
    setWindowTitle(traits.caption);
    m_grid->setAccessibleName(traits.rootText);
    m_nameLabel->setBuddy(m_nameEdit);
    AttachGrid(m_grid);

    QPushButton* createFolder = MakeButton(tr("C&reate folder"));
    QPushButton* deleteFolder = MakeButton(tr("De&lete folder"));
    connect(createFolder, &QPushButton::clicked, this, [this] {
        CreateFolder(Tree().currentItem(), {tr("Enter folder name"), tr("Folder name:"),
                                            QStringLiteral("Folder"), m_traits.folderCounter});
    });
    connect(deleteFolder, &QPushButton::clicked, this,
            [this] { DeleteCurrentFolder(m_traits.deleteFolderQuestion); });
    TrackDeleteButton(deleteFolder);

    QList<QPushButton*> fileButtons;
    if (traits.managesFiles) {
        QPushButton* addFiles = MakeButton(traits.addButton);
        QPushButton* deleteFiles = MakeButton(traits.deleteButton);
        connect(addFiles, &QPushButton::clicked, this,
                [this] { AddFiles(m_traits.addFilter, m_traits.addExtension); });
        connect(deleteFiles, &QPushButton::clicked, this,
                [this] { DeleteSelectedFiles(m_traits.deleteQuestion); });
        fileButtons = {addFiles, deleteFiles};
    }

    QPushButton* ok = MakeButton(tr("&OK"));
    QPushButton* cancel = MakeButton(tr("&Cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CLibraryDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLibraryDlg::reject);
    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addWidget(m_nameLabel);
    closing->addWidget(m_nameEdit, 1);
    closing->addStretch();
    closing->addWidget(cancel);
    ArrangeControls({createFolder, deleteFolder}, fileButtons, m_prompt, closing);

    const bool save = mode == LibraryMode::Save;
    m_prompt->setText(save ? traits.savePrompt : traits.pickPrompt);
    m_nameLabel->setVisible(save);
    m_nameEdit->setVisible(save);
    if (save) {
        m_nameEdit->setFocus();
    } else {
        m_grid->setFocus();
        connect(m_grid, &CThumbnailGrid::doubleClicked, this, &CLibraryDlg::accept);
    }
}

QString CLibraryDlg::SelectedPath() const { return m_grid->GetFocusedPath(); }

void CLibraryDlg::accept() {
    if (m_mode == LibraryMode::Save) {
        AcceptSave();
    } else if (!SelectedPath().isEmpty()) {
        QDialog::accept();
    }
}

// The typed name gets the extension unless it ends with it already. Names
// the library could not show again (empty, with a "/" or a dot before the
// extension) are refused with the reason.
void CLibraryDlg::AcceptSave() {
    const QString name = m_nameEdit->text().trimmed();
    const QString fileName = name.endsWith(m_traits.extension) ? name : name + m_traits.extension;
    QString refusal;
    if (name.isEmpty() || name == m_traits.extension) {
        refusal = tr("Please type a name.");
    } else if (name.contains(QLatin1Char('/'))) {
        refusal = tr("A name cannot contain \"/\".");
    } else if (!MatchFileMask(fileName, m_traits.mask)) {
        refusal =
            tr("\"%1\" would not show in the library: a name cannot contain a dot.").arg(name);
    }
    if (!refusal.isEmpty()) {
        User().ShowMessage(refusal);
        m_nameEdit->setFocus();
        return;
    }
    const QString path = FolderOf(Tree().currentItem()) + fileName;
    if (QFileInfo::exists(path) &&
        !User().AskYesNo(tr("File already exist. Do you want to replace the file?"))) {
        return;
    }
    m_resultPath = path;
    QDialog::accept();
}

CSelectTemplateDlg::CSelectTemplateDlg(LibraryMode mode, IUserInterface& user, QWidget* parent)
    : CLibraryDlg(TemplateTraits(), mode, user, parent) {}

CSelectVeloraDlg::CSelectVeloraDlg(LibraryMode mode, IUserInterface& user, QWidget* parent)
    : CLibraryDlg(VeloraTraits(), mode, user, parent) {}

}  // namespace velora
