// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/main_frame.h"

#include "core/common/library_folders.h"
#include "ui/app/action_table.h"
#include "ui/app/banner_bar.h"
#include "ui/app/child_frames.h"
#include "ui/app/command_router.h"
#include "ui/app/document_manager.h"
#include "ui/app/help_window.h"
#include "ui/app/lock_keys.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/document_base.h"
#include "ui/documents/mosvel_doc.h"
#include "ui/library/texture_groups_dlg.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view_base.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoView>
#include <QVBoxLayout>

namespace velora {

namespace {
constexpr QSize kMainButtons(16, 15);
constexpr QSize kTemplateButtons(19, 19);
const char* const kWindowListProperty = "veloraWindowList";
// Bumped when the docks or tool bars change, so an old layout is not forced
// on new ones.
constexpr int kLayoutVersion = 1;
const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");
const QString kStateKey = QStringLiteral("MainWindow/State");
const QString kTabsKey = QStringLiteral("MainWindow/DocumentTabs");

int SetIndex(MenuSet set) { return static_cast<int>(set); }
}  // namespace

CMainFrame::CMainFrame(CommandActions& actions, QWidget* parent)
    : QMainWindow(parent),
      m_actions(actions),
      m_mdiArea(new QMdiArea(this)),
      m_notices(new QVBoxLayout),
      m_undoGroup(new QUndoGroup(this)) {
    ShowTitle();
    setAcceptDrops(true);
    m_mdiArea->setAccessibleName(tr("Documents"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setDocumentMode(true);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setTabsMovable(true);
    ShowDocumentsAsTabs(true);
    // Notices stand above the documents, out of the way of work.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_notices);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);
    // Accelerators work wherever the focus is in the window, also for
    // commands that stand in no menu.
    addActions(m_actions.All());
    CreateBars();
    CreateUndoHistory();
    // One of the two ways to show documents is chosen at a time.
    auto* documentModes = new QActionGroup(this);
    documentModes->addAction(m_actions.Action(cmd::kWindowTabs));
    documentModes->addAction(m_actions.Action(cmd::kWindowSubWindows));
    for (MenuSet set : {MenuSet::NoDocument, MenuSet::Design, MenuSet::Template}) {
        m_menus[SetIndex(set)] = BuildMenus(set, m_actions, this);
        for (QMenu* menu : m_menus[SetIndex(set)]) {
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
            if (menu->actions().contains(m_actions.Action(cmd::kWindowNew))) {
                connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowList(menu); });
            }
        }
    }
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        ShowAreasOfActiveDocument();
        UpdateCommandUi();
    });
    connect(m_banner, &CBannerBar::productPageRequested, this, &CMainFrame::productPageRequested);
    ShowMenuSet();
    qApp->installEventFilter(this);
    CreateAreasDock();
}

// The document windows go first, while the frame they reach back into (the
// areas bar lets go of their documents) is still whole.
CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The window's base hides the panels as it goes, when this part of the
    // window is gone already.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    disconnect(m_areasDock, nullptr, this, nullptr);
    m_router = nullptr;
    m_documents = nullptr;
    qDeleteAll(m_mdiArea->subWindowList());
}

const CommandMap<CMainFrame>& CMainFrame::Commands() {
    using F = CMainFrame;
    static const CommandMap<F> map{
        {cmd::kViewAreas, &F::OnViewAreas, &F::OnUpdateViewAreas},
        {cmd::kUndoHistory, &F::OnUndoHistory, &F::OnUpdateUndoHistory},
        {cmd::kViewToolbar, &F::OnViewToolbar, &F::OnUpdateViewToolbar},
        {cmd::kViewStatusBar, &F::OnViewStatusBar, &F::OnUpdateViewStatusBar},
        {cmd::kHelp, &F::OnHelp},
        {cmd::kTexturesGroups, &F::OnTexturesGroups},
        {cmd::kWindowNew, &F::OnWindowNew, &F::OnUpdateWindowCommand},
        {cmd::kWindowCascade, &F::OnWindowCascade, &F::OnUpdateWindowCommand},
        {cmd::kWindowTile, &F::OnWindowTile, &F::OnUpdateWindowCommand},
        {cmd::kWindowArrange, &F::OnWindowArrange, &F::OnUpdateWindowCommand},
        {cmd::kWindowTabs, &F::OnWindowTabs, &F::OnUpdateWindowTabs},
        {cmd::kWindowSubWindows, &F::OnWindowSubWindows, &F::OnUpdateWindowSubWindows},
    };
    return map;
}

// The banner on top, the main tool bar below it, the template tool bar at
// the left and the status bar with its panes at the bottom.
void CMainFrame::CreateBars() {
    auto* bannerHolder = new QToolBar(tr("Banner"), this);
    bannerHolder->setObjectName(QStringLiteral("bannerBar"));
    bannerHolder->setMovable(false);
    bannerHolder->setFloatable(false);
    m_banner = new CBannerBar(bannerHolder);
    bannerHolder->addWidget(m_banner);
    addToolBar(Qt::TopToolBarArea, bannerHolder);
    addToolBarBreak(Qt::TopToolBarArea);

    m_mainToolBar = new QToolBar(tr("Main tool bar"), this);
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setIconSize(kMainButtons);
    FillToolBar(*m_mainToolBar, MainToolBarItems(), m_actions);
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);

    m_templateToolBar = new QToolBar(tr("Template tool bar"), this);
    m_templateToolBar->setObjectName(QStringLiteral("templateToolBar"));
    m_templateToolBar->setIconSize(kTemplateButtons);
    FillToolBar(*m_templateToolBar, TemplateToolBarItems(), m_actions);
    addToolBar(Qt::LeftToolBarArea, m_templateToolBar);

    QStatusBar* status = statusBar();
    status->setAccessibleName(tr("Status bar"));
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(tr(indicator), status);
        pane->setObjectName(QString::fromLatin1(indicator));
        status->addPermanentWidget(pane);
        m_lockPanes.append(pane);
    }
    status->showMessage(tr("Ready"));
    ShowLockKeys();
}

void CMainFrame::AddNotice(QWidget* notice) { m_notices->addWidget(notice); }

DocumentFrame* CMainFrame::ActiveFrame() const {
    return qobject_cast<DocumentFrame*>(m_mdiArea->currentSubWindow());
}

void CMainFrame::ShowMenuSet() {
    MenuSet set = MenuSet::NoDocument;
    if (const DocumentFrame* frame = ActiveFrame(); frame && frame->Document()) {
        set = qobject_cast<CMosvelDoc*>(frame->Document()) ? MenuSet::Design : MenuSet::Template;
    }
    if (set == m_menuSet) return;
    m_menuSet = set;
    menuBar()->clear();
    for (QMenu* menu : m_menus[SetIndex(set)]) menuBar()->addMenu(menu);
}

// The title of the document being worked on, marked while it has unsaved
// changes, then the program's name, as task bars show desktop programs.
void CMainFrame::ShowTitle() {
    const DocumentFrame* frame = ActiveFrame();
    const QString program = QStringLiteral("Velora");
    const DocumentBase* document = frame ? frame->Document() : nullptr;
    setWindowTitle(document ? QStringLiteral("%1[*] - %2").arg(document->GetTitle(), program)
                            : program);
    setWindowModified(document && document->IsModified());
}

// Each indicator is greyed while its lock is off (or unknown).
void CMainFrame::ShowLockKeys() {
    const LockKey keys[] = {LockKey::CapsLock, LockKey::NumLock, LockKey::ScrollLock};
    for (int i = 0; i < m_lockPanes.size(); ++i) {
        m_lockPanes[i]->setEnabled(IsLockOn(keys[i]).value_or(false));
    }
}

void CMainFrame::UpdateCommandUi() {
    m_updateScheduled = false;
    ShowMenuSet();
    ShowUndoStackOfActiveDocument();
    ShowLockKeys();
    ShowTitle();
    if (m_router) m_router->UpdateActions(m_actions);
}

// Like an idle update: after the user's input the tool bars follow what it
// changed.
void CMainFrame::ScheduleCommandUiUpdate() {
    if (m_updateScheduled) return;
    m_updateScheduled = true;
    QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUi);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
            ScheduleCommandUiUpdate();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FillWindowList(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->property(kWindowListProperty).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    auto* separator = menu->addSeparator();
    separator->setProperty(kWindowListProperty, true);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        if (!window->isVisible()) continue;
        QString title = window->windowTitle();
        title.remove(QStringLiteral("[*]"));
        auto* item = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(title));
        item->setProperty(kWindowListProperty, true);
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->currentSubWindow());
        connect(item, &QAction::triggered, m_mdiArea,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
    }
}

// --- the areas bar ---------------------------------------------------------------

// The bar docks at the right of the documents from the start; the user may
// float it, dock it elsewhere or close it, and View > Areas brings it back.
void CMainFrame::CreateAreasDock() {
    m_areasDock = new QDockWidget(tr("Areas"), this);
    m_areasDock->setObjectName(QStringLiteral("areasDock"));
    m_areasDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                             QDockWidget::DockWidgetFloatable);
    m_areasBar = new CAreasBar(m_areasDock);
    connect(m_areasBar, &CAreasBar::areaMenuRequested, this, &CMainFrame::ShowAreaMenu);
    m_areasDock->setWidget(m_areasBar);
    addDockWidget(Qt::RightDockWidgetArea, m_areasDock);
    // Closing the dock by its own button is seen in the View menu at once.
    connect(m_areasDock, &QDockWidget::visibilityChanged, this,
            &CMainFrame::ScheduleCommandUiUpdate);
    ShowAreasOfActiveDocument();
}

void CMainFrame::OnViewAreas() {
    const bool show = m_areasDock->isHidden();
    m_areasDock->setVisible(show);
    if (show) m_areasDock->raise();
}

// The bar follows the document being worked on, also when its window is
// activated without its view taking the keyboard focus.
void CMainFrame::ShowAreasOfActiveDocument() {
    const DocumentFrame* frame = ActiveFrame();
    if (!m_areasBar || !frame || !frame->Document()) return;
    m_areasBar->SetActiveDocument(frame->Document(), &frame->Document()->Model(), frame->View(),
                                  false);
}

void CMainFrame::OnUpdateViewAreas(CommandUpdate& update) {
    update.SetCheck(!m_areasDock->isHidden());
}

// The area's commands reach the document the bar shows, which is the one
// being worked on.
void CMainFrame::ShowAreaMenu(QPoint global) {
    UpdateCommandUi();
    QMenu menu(this);
    menu.setAccessibleName(tr("Area"));
    FillMenu(menu, AreaMenuItems(m_menuSet), m_actions);
    menu.exec(global);
}

// --- the undo history ----------------------------------------------------------

void CMainFrame::CreateUndoHistory() {
    m_undoHistory = new QDockWidget(tr("Undo history"), this);
    m_undoHistory->setObjectName(QStringLiteral("undoHistory"));
    m_undoView = new QUndoView(m_undoGroup, m_undoHistory);
    m_undoView->setAccessibleName(tr("Undo history"));
    m_undoHistory->setWidget(m_undoView);
    addDockWidget(Qt::RightDockWidgetArea, m_undoHistory);
    m_undoHistory->hide();
}

void CMainFrame::ShowUndoStackOfActiveDocument() {
    const DocumentFrame* frame = ActiveFrame();
    DocumentBase* document = frame ? frame->Document() : nullptr;
    QUndoStack* stack = document ? &document->UndoStack() : nullptr;
    if (stack && !m_undoGroup->stacks().contains(stack)) m_undoGroup->addStack(stack);
    if (m_undoGroup->activeStack() != stack) m_undoGroup->setActiveStack(stack);
    if (document) {
        connect(document, &DocumentBase::statusMessage, this, &CMainFrame::ShowStatusMessage,
                Qt::UniqueConnection);
        connect(document, &DocumentBase::statusWithdrawn, this, &CMainFrame::WithdrawStatusMessage,
                Qt::UniqueConnection);
    }
    const int dropped = document ? document->History().DroppedSteps() : 0;
    m_undoView->setEmptyLabel(dropped > 0 ? tr("(%n older step(s) dropped: the history keeps "
                                               "at most %1 MB)",
                                               nullptr, dropped)
                                                .arg(document->History().Budget() >> 20)
                                          : tr("(start)"));
}

void CMainFrame::ShowStatusMessage(const QString& text) { statusBar()->showMessage(text); }

// Only the document's own word goes; whatever replaced it meanwhile stays.
void CMainFrame::WithdrawStatusMessage(const QString& text) {
    if (statusBar()->currentMessage() == text) statusBar()->clearMessage();
}

void CMainFrame::OnUndoHistory() { m_undoHistory->setVisible(!m_undoHistory->isVisible()); }

void CMainFrame::OnUpdateUndoHistory(CommandUpdate& update) {
    update.SetCheck(m_undoHistory->isVisible());
}

bool CMainFrame::RestoreLayout(QSettings& settings) {
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    const QByteArray state = settings.value(kStateKey).toByteArray();
    const bool sized = !geometry.isEmpty() && restoreGeometry(geometry);
    if (!state.isEmpty()) restoreState(state, kLayoutVersion);
    ShowDocumentsAsTabs(settings.value(kTabsKey, true).toBool());
    return sized;
}

void CMainFrame::SaveLayout(QSettings& settings) const {
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState(kLayoutVersion));
    settings.setValue(kTabsKey, m_mdiArea->viewMode() == QMdiArea::TabbedView);
}

int CMainFrame::GetCurrentAreaIndex() const {
    return m_areasBar ? m_areasBar->GetSelectedArea() : -1;
}

IViewDocument* CMainFrame::GetAreasBarDocument() const {
    return m_areasBar ? m_areasBar->GetActiveDocument() : nullptr;
}

void CMainFrame::DeleteCurrentAreaItem() {
    if (m_areasBar && GetCurrentAreaIndex() != -1) m_areasBar->DeleteCurrentItem();
}

QStringList CMainFrame::GetTextureGroups() {
    return QDir(CurrentLibraryFolders().textures).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

void CMainFrame::ReloadTextures() {
    if (m_areasBar) m_areasBar->RefillGroups();
}

// --- bars ------------------------------------------------------------------------

void CMainFrame::OnViewToolbar() { m_mainToolBar->setVisible(!m_mainToolBar->isVisible()); }

void CMainFrame::OnUpdateViewToolbar(CommandUpdate& update) {
    update.SetCheck(m_mainToolBar->isVisible());
}

void CMainFrame::OnViewStatusBar() { statusBar()->setVisible(!statusBar()->isVisible()); }

void CMainFrame::OnUpdateViewStatusBar(CommandUpdate& update) {
    update.SetCheck(statusBar()->isVisible());
}

void CMainFrame::OnHelp() { OpenHelp(this); }

// The groups may have changed whatever the dialog's answer, so the bar
// reads them again.
void CMainFrame::OnTexturesGroups() {
    if (!m_user) return;
    CTextureGroupsDlg dialog(*m_user, this);
    dialog.exec();
    ReloadTextures();
}

// --- windows ---------------------------------------------------------------------

void CMainFrame::OnWindowNew() {
    DocumentFrame* active = ActiveFrame();
    if (!active || !active->Document() || !m_documents) return;
    DocumentFrame* frame = m_documents->CreateFrame(*active->Document());
    m_documents->InitialUpdateFrame(*frame);
}

// Arranging windows asks for windows: the documents leave their tabs first.
void CMainFrame::OnWindowCascade() {
    ShowDocumentsAsTabs(false);
    m_mdiArea->cascadeSubWindows();
}

void CMainFrame::OnWindowTile() {
    ShowDocumentsAsTabs(false);
    m_mdiArea->tileSubWindows();
}

// Minimised windows line up along the bottom of the work area.
void CMainFrame::OnWindowArrange() {
    ShowDocumentsAsTabs(false);
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, m_mdiArea->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::OnUpdateWindowCommand(CommandUpdate& update) { update.Enable(ActiveFrame()); }

void CMainFrame::ShowDocumentsAsTabs(bool tabs) {
    m_mdiArea->setViewMode(tabs ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
}

void CMainFrame::OnWindowTabs() { ShowDocumentsAsTabs(true); }

void CMainFrame::OnUpdateWindowTabs(CommandUpdate& update) {
    update.SetCheck(m_mdiArea->viewMode() == QMdiArea::TabbedView);
}

// The document being worked on keeps filling the area until the windows
// are arranged.
void CMainFrame::OnWindowSubWindows() {
    if (m_mdiArea->viewMode() == QMdiArea::SubWindowView) return;
    ShowDocumentsAsTabs(false);
    if (QMdiSubWindow* active = m_mdiArea->activeSubWindow()) FillArea(*m_mdiArea, *active);
}

void CMainFrame::OnUpdateWindowSubWindows(CommandUpdate& update) {
    update.SetCheck(m_mdiArea->viewMode() == QMdiArea::SubWindowView);
}

// --- showing, closing and dropping ------------------------------------------------

// A panel left floating is shown by restoreState before this window maps, so
// the window manager stacks this window over it; once this window is up,
// the panel comes back on top.
void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_areasDock->isFloating() || m_areasDock->isHidden()) return;
    QTimer::singleShot(0, m_areasDock, [dock = m_areasDock] {
        dock->hide();
        dock->show();
    });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_documents && !m_documents->SaveAllModified()) {
        event->ignore();
        return;
    }
    QSettings settings(SettingsOrganization(), SettingsApplication());
    SaveLayout(settings);
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (TakeDroppedFiles(*event->mimeData())) event->acceptProposedAction();
}

bool CMainFrame::TakeDroppedFiles(const QMimeData& data) {
    QStringList paths;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    if (paths.isEmpty()) return false;
    emit filesDropped(paths);
    return true;
}

}  // namespace velora
