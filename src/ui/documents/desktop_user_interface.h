// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

#include "ui/controls/progress_window.h"

#include <QPointer>

class QWidget;

namespace velora {

// The desktop answers to core's questions: message boxes, the Area name and
// Velora size dialogs, and the progress window of long steps, all over the
// main window.
class DesktopUserInterface : public IUserInterface {
public:
    explicit DesktopUserInterface(QWidget* owner = nullptr) : m_owner(owner) {}
    ~DesktopUserInterface() override;

    void SetOwner(QWidget* owner) { m_owner = owner; }
    // The title of message boxes that give none.
    static QString ApplicationTitle();

    void ShowMessage(const QString& text, MessageIcon icon, const QString& title) override;
    bool AskYesNo(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    std::optional<QString> AskAreaName(const QString& proposal) override;
    std::optional<DrawingSizeAnswer> AskDrawingSize(const DrawingSizeRequest& request) override;
    std::optional<QString> AskPassword(const QString& text) override;
    void BeginProgress(const QString& text, int range) override;
    void StepProgress() override;
    void EndProgress() override;

    // The window of the step under way, or none.
    CProgressWindow* Progress() const { return m_progress; }

private:
    QPointer<QWidget> m_owner;
    QPointer<CProgressWindow> m_progress;
};

}  // namespace velora
