// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

namespace velora {

// The state an update handler gives a command's menu items and buttons;
// a text replaces the command's own (with its mnemonic) while given.
struct CommandUpdate {
    bool enabled = true;
    bool checked = false;
    std::optional<QString> text;

    void Enable(bool on) { enabled = on; }
    void SetCheck(bool on) { checked = on; }
    void SetText(QString shown) { text = std::move(shown); }
};

// Anything a command can be offered to: views, documents, frames and the
// application. Commands travel view -> document -> child frame -> main frame
// -> application and the first target that has a handler runs it.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;

    virtual bool HasCommandHandler(int id) const = 0;
    // Runs the handler; false when this target has none.
    virtual bool RunCommand(int id) = 0;
    // Lets the update handler set the state; false when this target has none.
    virtual bool UpdateCommand(int id, CommandUpdate& update) = 0;
};

// A class's command table: for each id the handler and, where the class has
// one, the update handler.
template <class Target>
class CommandMap {
public:
    using Handler = void (Target::*)();
    using Updater = void (Target::*)(CommandUpdate&);
    struct Entry {
        int id;
        Handler handler;
        Updater updater = nullptr;
    };

    CommandMap(std::initializer_list<Entry> entries) : m_entries(entries) {}

    const Entry* Find(int id) const {
        const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                        [id](const Entry& entry) { return entry.id == id; });
        return found == m_entries.end() ? nullptr : &*found;
    }

private:
    std::vector<Entry> m_entries;
};

// Implements ICommandTarget from the static table that Target::Commands()
// returns, so each class only writes its table.
template <class Target>
class MappedCommandTarget : public ICommandTarget {
public:
    bool HasCommandHandler(int id) const override {
        const auto* entry = Target::Commands().Find(id);
        return entry && entry->handler;
    }
    bool RunCommand(int id) override {
        const auto* entry = Target::Commands().Find(id);
        if (!entry || !entry->handler) return false;
        (static_cast<Target*>(this)->*(entry->handler))();
        return true;
    }
    bool UpdateCommand(int id, CommandUpdate& update) override {
        const auto* entry = Target::Commands().Find(id);
        if (!entry || !entry->updater) return false;
        (static_cast<Target*>(this)->*(entry->updater))(update);
        return true;
    }
};

}  // namespace velora
