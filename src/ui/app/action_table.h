// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QAction;

namespace velora {

// What the program shows for one command id: the menu text (with its
// mnemonic), the status-bar prompt, the tool tip, the accelerators and the
// tool-bar image.
struct CommandInfo {
    int id;
    const char* text;
    const char* prompt;
    const char* toolTip;
    QList<QKeySequence> keys;
    const char* icon = nullptr;
    bool checkable = false;
};

// Every command's information, in one table.
const QList<CommandInfo>& CommandTable();

// One QAction per command id, carrying its id, texts, accelerators and
// image. Menus and tool bars show these same actions, so an update reaches
// every place a command stands.
class CommandActions : public QObject {
    Q_OBJECT
public:
    explicit CommandActions(QObject* parent = nullptr);

    QAction* Action(int id) const { return m_actions.value(id); }
    const QList<QAction*>& All() const { return m_ordered; }
    // The command id an action carries, 0 for none.
    static int IdOf(const QAction* action);
    // Shows the text (with its mnemonic) in menus and, without it, as the
    // tool tip; none brings back the command's own.
    void ShowText(QAction* action, const std::optional<QString>& text) const;

signals:
    void commandTriggered(int id);

private:
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_ordered;
    // Each action's own text and tool tip.
    QHash<const QAction*, std::pair<QString, QString>> m_ownTexts;
};

}  // namespace velora
