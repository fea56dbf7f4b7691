// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/command_target.h"

#include <functional>
#include <vector>

namespace velora {

class CommandActions;

// Offers commands to the targets of the current routing, in order (active
// view, its document, its child frame, the main frame, the application):
// the first one with a handler runs it.
class CommandRouter {
public:
    using Chain = std::vector<ICommandTarget*>;

    explicit CommandRouter(std::function<Chain()> chain) : m_chain(std::move(chain)) {}

    // False when no target handles the id.
    bool Route(int id) const;
    // The state of the id's menu items and buttons: the first update handler
    // decides; without one a command is enabled exactly when some target
    // handles it.
    CommandUpdate Update(int id) const;
    // Applies Update to every action.
    void UpdateActions(const CommandActions& actions) const;

private:
    std::function<Chain()> m_chain;
};

}  // namespace velora
