// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/command_target.h"
#include "ui/documents/document_base.h"

#include <QMdiSubWindow>
#include <QPointer>

namespace velora {

class CMosvelViewBase;
class DocumentBase;

// The window of one view of a document inside the main window. Closing the
// last window of a modified document asks first; when the last window of a
// document is gone, the document goes too.
class DocumentFrame : public QMdiSubWindow, public ICommandTarget {
    Q_OBJECT
public:
    DocumentFrame(DocumentBase& document, CMosvelViewBase* view, QWidget* parent = nullptr);
    ~DocumentFrame() override;

    DocumentBase* Document() const { return m_document; }
    CMosvelViewBase* View() const { return m_view; }
    // Closes the window without the save question (the document already
    // asked, or it is being thrown away).
    void CloseWithoutAsking();

    // The frames add no commands of their own.
    bool HasCommandHandler(int) const override { return false; }
    bool RunCommand(int) override { return false; }
    bool UpdateCommand(int, CommandUpdate&) override { return false; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowTitle();

    QPointer<DocumentBase> m_document;
    CMosvelViewBase* m_view;
    bool m_askBeforeClosing = true;
};

// Frame of a design's view.
class CChildFrame : public DocumentFrame {
    Q_OBJECT
public:
    using DocumentFrame::DocumentFrame;
};

// Frame of a template's view.
class CTemplateFrame : public DocumentFrame {
    Q_OBJECT
public:
    using DocumentFrame::DocumentFrame;
};

}  // namespace velora
