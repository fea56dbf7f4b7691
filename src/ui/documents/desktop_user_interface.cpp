// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/desktop_user_interface.h"

#include "ui/controls/dialog_frame.h"
#include "ui/controls/progress_window.h"
#include "ui/documents/name_dialogs.h"
#include "ui/library/velora_size_dlg.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace velora {

namespace {
QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            break;
    }
    return QMessageBox::Warning;
}
}  // namespace

DesktopUserInterface::~DesktopUserInterface() { delete m_progress; }

QString DesktopUserInterface::ApplicationTitle() {
    return QStringLiteral("Orvane Velora Pro - Admin");
}

void DesktopUserInterface::ShowMessage(const QString& text, MessageIcon icon,
                                       const QString& title) {
    QMessageBox box(BoxIcon(icon), title.isEmpty() ? ApplicationTitle() : title, text,
                    QMessageBox::Ok, m_owner);
    ShowCloseButtonOnly(box);
    box.exec();
}

// Every yes-or-no question of the program asks leave to replace or delete
// something, so Enter and Escape alike keep it.
bool DesktopUserInterface::AskYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::No);
    ShowCloseButtonOnly(box);
    return box.exec() == QMessageBox::Yes;
}

Answer DesktopUserInterface::AskYesNoCancel(const QString& text) {
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    ShowCloseButtonOnly(box);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<QString> DesktopUserInterface::AskAreaName(const QString& proposal) {
    CAreaNameDlg dialog(m_owner);
    dialog.SetName(proposal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Name();
}

std::optional<DrawingSizeAnswer> DesktopUserInterface::AskDrawingSize(
    const DrawingSizeRequest& request) {
    CVeloraSizeDlg dialog(m_owner, request.extent);
    dialog.SetChoices(request);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Answer();
}

std::optional<QString> DesktopUserInterface::AskPassword(const QString& text) {
    QInputDialog dialog(m_owner);
    dialog.setWindowTitle(ApplicationTitle());
    dialog.setLabelText(text);
    dialog.setTextEchoMode(QLineEdit::Password);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

void DesktopUserInterface::BeginProgress(const QString& text, int range) {
    delete m_progress;
    m_progress = new CProgressWindow(m_owner);
    m_progress->SetText(text);
    m_progress->SetRange(range);
    m_progress->ShowCentredOver(m_owner);
}

void DesktopUserInterface::StepProgress() {
    if (m_progress) m_progress->Step();
}

void DesktopUserInterface::EndProgress() {
    delete m_progress;
    m_progress = nullptr;
}

}  // namespace velora
