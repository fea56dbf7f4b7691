// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace velora {

class DocumentBase;
class DocumentFrame;
class IUserInterface;

enum class DocumentKind { Design, Template };

// Makes the window as large as the area's view, where it can still be moved
// and arranged.
void FillArea(QMdiArea& area, QMdiSubWindow& window);

// Makes documents with their frames and views (a velora in a CChildFrame
// with a CMosvelView, a template in a CTemplateFrame with a
// CMosvelTemplateView) and keeps the list of open documents.
class DocumentManager : public QObject {
    Q_OBJECT
public:
    DocumentManager(QMdiArea& area, IUserInterface& user, QObject* parent = nullptr);

    DocumentBase* CreateDocument(DocumentKind kind);
    // A new, still hidden frame with a new view of the document.
    DocumentFrame* CreateFrame(DocumentBase& document);
    // Lays the view out for its model and shows the frame.
    void InitialUpdateFrame(DocumentFrame& frame);
    // Closes every frame of the document without asking; the document goes
    // with its last frame.
    void Discard(DocumentBase& document);

    QList<DocumentBase*> Documents() const;
    DocumentBase* FindByPath(const QString& path) const;
    QList<DocumentFrame*> FramesOf(const DocumentBase& document) const;
    // Asks every modified document; false when the user cancelled one.
    bool SaveAllModified();

signals:
    // A document's file was opened or saved under its path.
    void pathAdded(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiArea& m_area;
    QWidget* m_viewport;
    IUserInterface& m_user;
};

}  // namespace velora
