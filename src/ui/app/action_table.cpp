// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/action_table.h"

#include "ui/controls/command_ids.h"

#include <QAction>
#include <QIcon>

namespace velora {

namespace {
QList<CommandInfo> BuildTable() {
    using K = QKeySequence;
    QList<CommandInfo> table = {
        {cmd::kFileNew, "&New", "Create a new document", "New", {}},
        {cmd::kNewVelora,
         "&New velora",
         "Create a new velora",
         "New velora",
         {K("Ctrl+N")},
         "new_velora"},
        {cmd::kNewTemplate, "New template", "Create a new template", "New template", {}},
        {cmd::kFileOpen, "&Open...", "Open an existing document", "Open", {K("Ctrl+O")}, "open"},
        {cmd::kFileClose,
         "&Close",
         "Close the active document",
         "Close",
         {K("Ctrl+W"), K("Ctrl+F4")}},
        {cmd::kFileSave, "&Save", "Save the active document", "Save", {K("Ctrl+S")}, "save"},
        {cmd::kFileSaveAs,
         "Save &As...",
         "Save the active document with a new name",
         "Save As",
         {}},
        {cmd::kFilePrintSetup,
         "Print Set&up...",
         "Change the printer and printing options",
         "Page Setup",
         {}},
        {cmd::kFilePrint, "&Print...", "Print the active document", "Print", {K("Ctrl+P")}},
        {cmd::kFilePrintDirect,
         "Print Direct",
         "Print the active document on the default printer",
         "Print",
         {}},
        {cmd::kFilePrintPreview, "Print Pre&view...", "Display full pages", "Print Preview", {}},
        {cmd::kExport, "&Export...", "Export the velora as an image", "Export", {}},
        {cmd::kConnectionSetup,
         "Connec&tion setup...",
         "Set up the server connections",
         "Connection setup",
         {}},
        {cmd::kDownload,
         "&Download...",
         "Download the libraries from their servers",
         "Download",
         {}},
        {cmd::kSendToServer,
         "Send to ser&ver...",
         "Send library files to their servers",
         "Send to server",
         {}},
        {cmd::kAppExit, "E&xit", "Quit the application; prompts to save documents", "Exit", {}},
        {cmd::kEditUndo,
         "&Undo",
         "Undo the last action",
         "Undo",
         {K("Ctrl+Z"), K("Alt+Backspace")},
         "undo"},
        {cmd::kEditRedo,
         "&Redo",
         "Redo the previously undone action",
         "Redo",
         {K("Ctrl+Shift+Z"), K("Ctrl+Y")},
         "redo"},
        {cmd::kEditCut,
         "Cu&t",
         "Cut the selection and put it on the Clipboard",
         "Cut",
         {K("Ctrl+X"), K("Shift+Del")}},
        {cmd::kEditCopy,
         "&Copy",
         "Copy the selection and put it on the Clipboard",
         "Copy",
         {K("Ctrl+C"), K("Ctrl+Ins")}},
        {cmd::kEditPaste,
         "&Paste",
         "Insert Clipboard contents",
         "Paste",
         {K("Ctrl+V"), K("Shift+Ins")}},
        {cmd::kNextPane, "Next Pane", "Switch to the next window pane", "Next Pane", {K("F6")}},
        {cmd::kPrevPane,
         "Previous Pane",
         "Switch back to the previous window pane",
         "Previous Pane",
         {K("Shift+F6")}},
        {cmd::kViewToolbar,
         "&Toolbar",
         "Show or hide the toolbar",
         "Toggle ToolBar",
         {},
         nullptr,
         true},
        {cmd::kViewStatusBar,
         "&Status Bar",
         "Show or hide the status bar",
         "Toggle StatusBar",
         {},
         nullptr,
         true},
        {cmd::kViewAreas, "&Areas", "Show or hide the Areas panel", "Areas", {}, nullptr, true},
        {cmd::kUndoHistory,
         "Undo history",
         "Show or hide the steps that can be undone and redone",
         "Undo history",
         {},
         nullptr,
         true},
        {cmd::kTexturesGroups,
         "Textures &groups",
         "Edit the texture groups",
         "Textures groups",
         {},
         "textures_groups"},
        {cmd::kSelectTemplate,
         "&Select template...",
         "Select a template for the velora",
         "Select template",
         {},
         "select_template"},
        {cmd::kSelectAll, "Select all", "Select all curves", "Select all", {}},
        {cmd::kDeselectAllRegions,
         "&Deselect all regions",
         "Deselect all regions",
         "Deselect all regions",
         {},
         "deselect_all"},
        {cmd::kCreateArea,
         "&Create area from selected",
         "Create an area from the selected regions",
         "Create area from selected",
         {},
         "create_area"},
        {cmd::kAddToArea,
         "&Add selected to existing group",
         "Add selected to existing area",
         "Add selected to existing area",
         {},
         "add_to_area"},
        {cmd::kDeleteFromArea,
         "De&lete selected from existing area",
         "Delete selected group",
         "Delete selected group",
         {},
         "delete_from_area"},
        {cmd::kDeleteFromCache,
         "Delete selected from ca&che",
         "Delete the selected regions from the cache",
         "Delete selected from cache",
         {},
         "delete_from_cache"},
        {cmd::kSmoothLines, "S&mooth lines", "Smooth", "Smooth", {}, "smooth_lines", true},
        {cmd::kCorrectionMode,
         "Co&rrection mode",
         "Correct the outlines with the pen",
         "Correction mode",
         {},
         "correction_mode",
         true},
        {cmd::kZoomIn,
         "Zoom &in",
         "Zoom in to a dragged rectangle",
         "Zoom in",
         {},
         "zoom_in",
         true},
        {cmd::kZoomOut, "Zoom &out", "Zoom out", "Zoom out", {}, "zoom_out"},
        {cmd::kZoomOneToOne, "&1:1", "Show the template at its own size", "1:1", {}, "zoom_one"},
        {cmd::kPen,
         "&Pen",
         "Draw (left button) or erase (right button) outline pixels",
         "Pen",
         {},
         "pen",
         true},
        {cmd::kToTopLevel,
         "To the most top level",
         "To the most top level",
         "To the most top level",
         {}},
        {cmd::kToBottomLevel,
         "To the most bottom level",
         "To the most bottom level",
         "To the most bottom level",
         {}},
        {cmd::kDeleteSelectedCurves,
         "Delete selected areas",
         "Delete selected areas",
         "Delete selected areas",
         {}},
        {cmd::kTemplateName, "Template name...", "Name the template", "Template name", {}},
        {cmd::kDeleteArea, "Delete area", "Delete the current area", "Delete area", {}},
        {cmd::kRenameArea, "Rename area...", "Rename the current area", "Rename area", {}},
        {cmd::kRemoveTexture,
         "Remove texture",
         "Take the texture off the current area",
         "Remove texture",
         {}},
        {cmd::kWindowNew,
         "&New Window",
         "Open another window for the active document",
         "New Window",
         {}},
        {cmd::kWindowCascade, "&Cascade", "Arrange windows so they overlap", "Cascade Windows", {}},
        {cmd::kWindowTile, "&Tile", "Arrange windows as non-overlapping tiles", "Tile Windows", {}},
        {cmd::kWindowArrange,
         "&Arrange Icons",
         "Arrange icons at the bottom of the window",
         "Arrange Icons",
         {}},
        {cmd::kWindowTabs, "Ta&bs", "Show the documents as tabs", "Tabs", {}, nullptr, true},
        {cmd::kWindowSubWindows,
         "&Sub-windows",
         "Show the documents as windows to arrange",
         "Sub-windows",
         {},
         nullptr,
         true},
        {cmd::kHelp, "&Help...", "Open the help", "Help", {K(QKeySequence::HelpContents)}},
        {cmd::kAppAbout,
         "&Orvane Velora...",
         "Display program information, version number and copyright",
         "About",
         {},
         "about"},
    };
    for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
        table.append({id, "Recent File", "Open this document", "Open this document", {}});
    }
    return table;
}
}  // namespace

const QList<CommandInfo>& CommandTable() {
    static const QList<CommandInfo> table = BuildTable();
    return table;
}

CommandActions::CommandActions(QObject* parent) : QObject(parent) {
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(tr(info.text), this);
        action->setData(info.id);
        action->setStatusTip(tr(info.prompt));
        action->setToolTip(tr(info.toolTip));
        action->setShortcuts(info.keys);
        action->setCheckable(info.checkable);
        if (info.icon) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(info.icon)));
        }
        connect(action, &QAction::triggered, this,
                [this, id = info.id] { emit commandTriggered(id); });
        m_actions.insert(info.id, action);
        m_ordered.append(action);
        m_ownTexts.insert(action, {action->text(), action->toolTip()});
    }
}

int CommandActions::IdOf(const QAction* action) { return action ? action->data().toInt() : 0; }

void CommandActions::ShowText(QAction* action, const std::optional<QString>& text) const {
    const auto own = m_ownTexts.constFind(action);
    if (own == m_ownTexts.constEnd()) return;
    const QString shown = text.value_or(own->first);
    if (action->text() == shown) return;
    action->setText(shown);
    action->setToolTip(text ? QString(shown).remove('&') : own->second);
}

}  // namespace velora
