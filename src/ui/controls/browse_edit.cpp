// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/browse_edit.h"

#include "core/common/path_parts.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/file_filter.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>

namespace velora {

CKestBrowseEdit::CKestBrowseEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this)) {
    m_button->setText(QStringLiteral("..."));
    m_button->setAccessibleName(tr("Browse"));
    m_button->setToolTip(tr("Browse"));
    m_button->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(m_edit->sizePolicy());
    connect(m_edit, &QLineEdit::textChanged, this, &CKestBrowseEdit::textChanged);
    connect(m_button, &QToolButton::clicked, this, [this] {
        OnBrowse();
        m_edit->setFocus();
    });
}

QString CKestBrowseEdit::text() const { return m_edit->text(); }

void CKestBrowseEdit::setText(const QString& text) { m_edit->setText(text); }

QSize CKestBrowseEdit::sizeHint() const { return m_edit->sizeHint() + QSize(kButtonWidth, 0); }

void CKestBrowseEdit::resizeEvent(QResizeEvent* event) {
    const QSize size = event->size();
    m_edit->setGeometry(0, 0, size.width() - kButtonWidth, size.height());
    m_button->setGeometry(size.width() - kButtonWidth, 0, kButtonWidth, size.height());
}

CFileBrowseEdit::CFileBrowseEdit(QWidget* parent) : CKestBrowseEdit(parent) {}

void CFileBrowseEdit::SetDialogMode(bool openMode, BrowseFlags flags) {
    m_openMode = openMode;
    m_flags = flags;
}

QString CFileBrowseEdit::InitialFolder() const {
    const QString folder = GetPathDrive(text()) + GetPathDir(text());
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

void CFileBrowseEdit::OnBrowse() {
    QFileDialog dialog(this);
    ShowCloseButtonOnly(dialog);
    dialog.setAcceptMode(m_openMode ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (m_openMode && m_flags.testFlag(BrowseFlag::FileMustExist)) {
        dialog.setFileMode(m_flags.testFlag(BrowseFlag::AllowMultiSelect)
                               ? QFileDialog::ExistingFiles
                               : QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    // The field says where the file goes; the dialog need not ask again.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(m_defaultExtension.startsWith(QLatin1Char('.'))
                                ? m_defaultExtension.mid(1)
                                : m_defaultExtension);
    dialog.setNameFilters(FileDialogFilters(m_filter));
    dialog.setDirectory(InitialFolder());
    if (!text().isEmpty()) dialog.selectFile(GetPathTitle(text()) + GetPathExt(text()));
    if (dialog.exec() != QDialog::Accepted) return;
    setText(dialog.selectedFiles().join(QLatin1Char(';')));
}

}  // namespace velora
