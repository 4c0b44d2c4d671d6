// Command tables and update handlers: every class that handles commands keeps one static table.
#pragma once

#include <algorithm>
#include <span>
#include <type_traits>

#include "platform/CommandIds.h"

namespace morvale {

// State of one command's user-interface element while its update handler runs.
class CCmdUI {
public:
    explicit CCmdUI(UINT id) : id_(id) {}
    virtual ~CCmdUI() = default;
    UINT Id() const { return id_; }
    virtual void Enable(bool on = true) { enabled_ = on; }
    virtual void SetCheck(int check = 1) { checked_ = check; }
    bool IsEnabled() const { return enabled_; }
    int Checked() const { return checked_; }

private:
    UINT id_;
    bool enabled_ = false;
    int checked_ = 0;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the command's handler; false if no entry here handles it.
    virtual bool ExecuteCommand(UINT id) = 0;
    // Sets the command's state through its update handler; false if no entry here handles it.
    virtual bool UpdateCommand(CCmdUI& ui) = 0;
};

// One row of a class's command table. A row may carry an argument for its handlers, so that a
// family of commands (the colour series, the recent files) shares one handler.
template <class T>
struct CommandEntry {
    using Handler = void (T::*)();
    using Update = void (T::*)(CCmdUI*);
    using ArgumentHandler = void (T::*)(int);
    using ArgumentUpdate = void (T::*)(CCmdUI*, int);

    // Without an update handler the command is simply enabled.
    constexpr CommandEntry(UINT id, Handler handler, Update update = nullptr)
        : id(id), handler(handler), update(update) {}
    constexpr CommandEntry(UINT id, ArgumentHandler handler, ArgumentUpdate update, int argument)
        : id(id), argumentHandler(handler), argumentUpdate(update), argument(argument) {}

    void Execute(T& target) const {
        if (handler)
            (target.*handler)();
        else
            (target.*argumentHandler)(argument);
    }

    void UpdateUI(T& target, CCmdUI& ui) const {
        ui.Enable(true);
        if (update) (target.*update)(&ui);
        if (argumentUpdate) (target.*argumentUpdate)(&ui, argument);
    }

    UINT id;
    Handler handler = nullptr;
    Update update = nullptr;
    ArgumentHandler argumentHandler = nullptr;
    ArgumentUpdate argumentUpdate = nullptr;
    int argument = 0;
};

template <class T>
using CommandTable = std::span<const CommandEntry<T>>;

// The first entry with the id handles the command.
template <class T>
const CommandEntry<T>* FindCommand(CommandTable<T> table, UINT id) {
    const auto entry = std::ranges::find(table, id, &CommandEntry<T>::id);
    return entry == table.end() ? nullptr : &*entry;
}

template <class T>
bool ExecuteFromTable(T& target, std::type_identity_t<CommandTable<T>> table, UINT id) {
    const CommandEntry<T>* entry = FindCommand(table, id);
    if (entry) entry->Execute(target);
    return entry != nullptr;
}

template <class T>
bool UpdateFromTable(T& target, std::type_identity_t<CommandTable<T>> table, CCmdUI& ui) {
    const CommandEntry<T>* entry = FindCommand(table, ui.Id());
    if (entry) entry->UpdateUI(target, ui);
    return entry != nullptr;
}

}  // namespace morvale
