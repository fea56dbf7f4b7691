// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QMenu;
class QToolBar;
class QWidget;

namespace velora {

class CommandActions;

// The three menu bars: no document open, a velora active, a template active.
enum class MenuSet { NoDocument, Design, Template };

// Items of a menu or tool bar: command ids, separators and the place of the
// recent-file list.
constexpr int kSeparator = 0;
constexpr int kRecentFiles = -1;

// The menus of a set, in menu-bar order, showing the given actions.
QList<QMenu*> BuildMenus(MenuSet set, const CommandActions& actions, QWidget* parent);

// Fills a tool bar or menu with its items in the given order.
void FillToolBar(QToolBar& bar, const QList<int>& items, const CommandActions& actions);
void FillMenu(QMenu& menu, const QList<int>& items, const CommandActions& actions);

const QList<int>& MainToolBarItems();
const QList<int>& TemplateToolBarItems();
// The context menu of an area in the areas list.
QList<int> AreaMenuItems(MenuSet set);

}  // namespace velora
