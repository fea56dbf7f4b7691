// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/app/menu_sets.h"
#include "ui/controls/command_target.h"

#include <QMainWindow>
#include <QStringList>

class QDockWidget;
class QLabel;
class QMimeData;
class QSettings;
class QMdiArea;
class QToolBar;
class QUndoGroup;
class QUndoView;
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
    QUndoGroup* UndoGroup() const { return m_undoGroup; }
    QDockWidget* UndoHistory() const { return m_undoHistory; }
    QDockWidget* AreasDock() const { return m_areasDock; }
    // Shows a notice bar above the documents; it goes when it hides itself.
    void AddNotice(QWidget* notice);
    // The frame of the document being worked on, or none.
    DocumentFrame* ActiveFrame() const;
    MenuSet CurrentMenuSet() const { return m_menuSet; }

    // Sets every command's enabled and checked state from the routing.
    void UpdateCommandUi();
    // The window's size, docks and tool bars as the last session left them;
    // false when nothing was kept.
    bool RestoreLayout(QSettings& settings);
    void SaveLayout(QSettings& settings) const;

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
    void OnUndoHistory();
    void OnUpdateUndoHistory(CommandUpdate& update);
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
    void OnWindowTabs();
    void OnUpdateWindowTabs(CommandUpdate& update);
    void OnWindowSubWindows();
    void OnUpdateWindowSubWindows(CommandUpdate& update);

signals:
    // Files dropped on the window, to be opened.
    void filesDropped(const QStringList& paths);
    void productPageRequested(const QUrl& url);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void CreateBars();
    void CreateAreasDock();
    void ShowMenuSet();
    void ScheduleCommandUiUpdate();
    void FillWindowList(QMenu* menu);
    void ShowLockKeys();
    void ShowTitle();
    void ShowAreasOfActiveDocument();
    // The undo history shows the stack of the document being worked on.
    void ShowUndoStackOfActiveDocument();
    void ShowAreaMenu(QPoint global);
    void ShowStatusMessage(const QString& text);
    void WithdrawStatusMessage(const QString& text);
    void CreateUndoHistory();
    // Documents as tabs (the default) or as sub-windows to arrange.
    void ShowDocumentsAsTabs(bool tabs);

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
    QUndoGroup* m_undoGroup;
    QDockWidget* m_undoHistory = nullptr;
    QUndoView* m_undoView = nullptr;
    QDockWidget* m_areasDock = nullptr;
    QList<QLabel*> m_lockPanes;
    QList<QMenu*> m_menus[3];
    MenuSet m_menuSet = MenuSet::Template;
    bool m_updateScheduled = false;
};

}  // namespace velora
