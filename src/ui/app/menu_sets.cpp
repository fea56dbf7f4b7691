// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/menu_sets.h"

#include "ui/app/action_table.h"
#include "ui/controls/command_ids.h"

#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>

namespace velora {

namespace {
struct MenuLayout {
    const char* title;
    QList<int> items;
};

void AddItems(QWidget& target, const QList<int>& items, const CommandActions& actions) {
    for (int item : items) {
        if (item == kSeparator) {
            auto* separator = new QAction(&target);
            separator->setSeparator(true);
            target.addAction(separator);
        } else if (item == kRecentFiles) {
            for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
                target.addAction(actions.Action(id));
            }
        } else {
            target.addAction(actions.Action(item));
        }
    }
}

QList<MenuLayout> Layout(MenuSet set) {
    using namespace cmd;
    const MenuLayout help{QT_TRANSLATE_NOOP("velora", "&Help"), {kHelp, kAppAbout}};
    const MenuLayout window{QT_TRANSLATE_NOOP("velora", "&Window"),
                            {kWindowNew, kWindowCascade, kWindowTile, kWindowArrange, kSeparator,
                             kWindowTabs, kWindowSubWindows}};
    const char* file = QT_TRANSLATE_NOOP("velora", "&File");
    const char* view = QT_TRANSLATE_NOOP("velora", "&View");
    const char* templateMenu = QT_TRANSLATE_NOOP("velora", "&Template");
    const MenuLayout edit{QT_TRANSLATE_NOOP("velora", "&Edit"), {kEditUndo, kEditRedo}};
    switch (set) {
        case MenuSet::NoDocument:
            return {{file,
                     {kNewVelora, kFileOpen, kSeparator, kRecentFiles, kSeparator, kConnectionSetup,
                      kDownload, kSeparator, kSendToServer, kSeparator, kAppExit}},
                    {view, {kViewToolbar, kViewStatusBar, kViewAreas, kTexturesGroups}},
                    help};
        case MenuSet::Design:
            return {{file,
                     {kNewVelora, kFileOpen, kFileClose, kFileSave, kFileSaveAs, kSeparator,
                      kExport, kFilePrint, kFilePrintPreview, kSeparator, kRecentFiles, kSeparator,
                      kConnectionSetup, kDownload, kSeparator, kAppExit}},
                    edit,
                    {view, {kViewToolbar, kViewStatusBar, kViewAreas, kUndoHistory}},
                    {templateMenu, {kSelectTemplate}},
                    window,
                    help};
        case MenuSet::Template:
            break;
    }
    return {{file,
             {kNewVelora, kFileOpen, kFileClose, kFileSave, kFileSaveAs, kFilePrint,
              kFilePrintPreview, kSeparator, kRecentFiles, kSeparator, kConnectionSetup, kDownload,
              kSeparator, kSendToServer, kSeparator, kAppExit}},
            edit,
            {view, {kViewToolbar, kViewStatusBar, kViewAreas, kTexturesGroups, kUndoHistory}},
            {templateMenu,
             {kDeselectAllRegions,
              kSeparator,
              kCreateArea,
              kAddToArea,
              kDeleteFromArea,
              kDeleteFromCache,
              kDeleteArea,
              kSeparator,
              kTemplateName,
              kSeparator,
              kSmoothLines,
              kCorrectionMode,
              kSeparator,
              kZoomIn,
              kZoomOut,
              kZoomOneToOne,
              kPen,
              kSeparator,
              kCloseGaps,
              kCloseGapsWhenClickFloods}},
            window,
            help};
}
}  // namespace

QList<QMenu*> BuildMenus(MenuSet set, const CommandActions& actions, QWidget* parent) {
    QList<QMenu*> menus;
    for (const MenuLayout& layout : Layout(set)) {
        auto* menu = new QMenu(QCoreApplication::translate("velora", layout.title), parent);
        AddItems(*menu, layout.items, actions);
        menus.append(menu);
    }
    return menus;
}

void FillToolBar(QToolBar& bar, const QList<int>& items, const CommandActions& actions) {
    AddItems(bar, items, actions);
}

void FillMenu(QMenu& menu, const QList<int>& items, const CommandActions& actions) {
    AddItems(menu, items, actions);
}

const QList<int>& MainToolBarItems() {
    using namespace cmd;
    static const QList<int> items{
        kNewVelora,      kSeparator,      kFileOpen,           kFileSave,      kSeparator,
        kEditUndo,       kEditRedo,       kSeparator,          kAppAbout,      kSeparator,
        kSelectTemplate, kSeparator,      kDeselectAllRegions, kSeparator,     kCreateArea,
        kAddToArea,      kDeleteFromArea, kDeleteFromCache,    kSeparator,     kTexturesGroups,
        kSeparator,      kSmoothLines,    kSeparator,          kCorrectionMode};
    return items;
}

QList<int> AreaMenuItems(MenuSet set) {
    using namespace cmd;
    if (set == MenuSet::Design) return {kRenameArea, kDeleteArea, kSeparator, kRemoveTexture};
    return {kRenameArea, kDeleteArea};
}

const QList<int>& TemplateToolBarItems() {
    using namespace cmd;
    static const QList<int> items{kZoomIn,    kZoomOut, kSeparator, kZoomOneToOne,
                                  kSeparator, kPen,     kSeparator, kCloseGaps};
    return items;
}

}  // namespace velora
