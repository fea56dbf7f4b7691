// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/app/menu_sets.h"
#include "ui/controls/command_target.h"

#include <QMainWindow>
#include <QStringList>

class QLabel;
class QMimeData;
class QMdiArea;
class QToolBar;
class QVBoxLayout;

namespace velora {

class CAreasBar;
class CBannerBar;
class CommandActions;
class CommandRouter;
class DocumentFrame;
class DocumentManager;
class IUserInterface;
class IViewDocument;

// The main window: menus of the active document's kind, the main and the
// template tool bars, the banner, the status bar, the windows of the open
// documents and the "Areas" tool window.
class CMainFrame : public QMainWindow, public MappedCommandTarget<CMainFrame> {
    Q_OBJECT
public:
    explicit CMainFrame(CommandActions& actions, QWidget* parent = nullptr);
    ~CMainFrame() override;

    static const CommandMap<CMainFrame>& Commands();

    void SetRouter(const CommandRouter* router) { m_router = router; }
    void SetDocumentManager(DocumentManager* documents) { m_documents = documents; }
    // Messages of the frame's own commands go here.
    void SetUserInterface(IUserInterface* user) { m_user = user; }

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* MainToolBar() const { return m_mainToolBar; }
    QToolBar* TemplateToolBar() const { return m_templateToolBar; }
    CBannerBar* Banner() const { return m_banner; }
    CAreasBar* AreasBar() const { return m_areasBar; }
    // Shows a notice bar above the documents; it goes when it hides itself.
    void AddNotice(QWidget* notice);
    // The frame of the document being worked on, or none.
    DocumentFrame* ActiveFrame() const;
    MenuSet CurrentMenuSet() const { return m_menuSet; }

    // Sets every command's enabled and checked state from the routing.
    void UpdateCommandUi();
    // Moves the areas bar to the top right corner of the work area.
    void PlaceAreasBar();
    // Places the bar now and again while the window manager is still sizing
    // the new window (maximising happens after the window shows).
    void PlaceAreasBarAtStart();

    // For the other windows
    int GetCurrentAreaIndex() const;
    IViewDocument* GetAreasBarDocument() const;
    void DeleteCurrentAreaItem();
    // The texture groups: the folders directly inside the textures folder.
    static QStringList GetTextureGroups();
    void ReloadTextures();
    // The local files of dropped data, to be opened; false when it holds none.
    bool TakeDroppedFiles(const QMimeData& data);

    // Commands
    void OnViewAreas();
    void OnUpdateViewAreas(CommandUpdate& update);
    void OnViewToolbar();
    void OnUpdateViewToolbar(CommandUpdate& update);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CommandUpdate& update);
    void OnHelp();
    void OnTexturesGroups();
    void OnWindowNew();
    void OnWindowCascade();
    void OnWindowTile();
    void OnWindowArrange();
    void OnUpdateWindowCommand(CommandUpdate& update);

signals:
    // Files dropped on the window, to be opened.
    void filesDropped(const QStringList& paths);
    void productPageRequested(const QUrl& url);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void CreateBars();
    void ShowMenuSet();
    void ScheduleCommandUiUpdate();
    void FillWindowList(QMenu* menu);
    void ShowLockKeys();
    void ShowTitle();
    void ShowAreasOfActiveDocument();

    CommandActions& m_actions;
    const CommandRouter* m_router = nullptr;
    DocumentManager* m_documents = nullptr;
    IUserInterface* m_user = nullptr;
    QMdiArea* m_mdiArea;
    QVBoxLayout* m_notices;
    CBannerBar* m_banner = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_templateToolBar = nullptr;
    CAreasBar* m_areasBar = nullptr;
    QList<QLabel*> m_lockPanes;
    QList<QMenu*> m_menus[3];
    MenuSet m_menuSet = MenuSet::Template;
    bool m_updateScheduled = false;
    bool m_placingAreasBar = false;
};

}  // namespace velora
