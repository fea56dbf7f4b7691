// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_router.h"

#include "ui/app/action_table.h"

#include <QAction>

#include <algorithm>

namespace velora {

bool CommandRouter::Route(int id) const {
    for (ICommandTarget* target : m_chain()) {
        if (target && target->RunCommand(id)) return true;
    }
    return false;
}

CommandUpdate CommandRouter::Update(int id) const {
    const Chain chain = m_chain();
    for (ICommandTarget* target : chain) {
        CommandUpdate update;
        if (target && target->UpdateCommand(id, update)) return update;
    }
    CommandUpdate update;
    update.Enable(std::any_of(chain.begin(), chain.end(), [id](const ICommandTarget* target) {
        return target && target->HasCommandHandler(id);
    }));
    return update;
}

void CommandRouter::UpdateActions(const CommandActions& actions) const {
    for (QAction* action : actions.All()) {
        const CommandUpdate update = Update(CommandActions::IdOf(action));
        action->setEnabled(update.enabled);
        if (action->isCheckable()) action->setChecked(update.checked);
        actions.ShowText(action, update.text);
    }
}

}  // namespace velora
