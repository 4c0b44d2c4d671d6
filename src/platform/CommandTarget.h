// Command tables and update handlers: every class that handles commands keeps one static table.
#pragma once

#include <span>

#include "platform/CommandIds.h"

namespace morvale {

// State of one command's user-interface element while its update handler runs.
class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(bool on = true) { enabled_ = on; }
    virtual void SetCheck(int check = 1) { checked_ = check; }
    bool IsEnabled() const { return enabled_; }
    int Checked() const { return checked_; }

    UINT m_nID;

private:
    bool enabled_ = false;
    int checked_ = 0;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Executes the command (ui == nullptr) or runs its update handler; false if not handled here.
    virtual bool OnCmdMsg(UINT id, CCmdUI* ui) = 0;
};

template <class T>
struct CommandEntry {
    UINT id;
    void (T::*handler)();
    void (T::*update)(CCmdUI*);  // may be null: the command is then simply enabled
};

// Looks the id up in a class's table: the first entry with the id handles it.
template <class T>
bool DispatchCommand(T* self, std::span<const CommandEntry<T>> table, UINT id, CCmdUI* ui) {
    for (const CommandEntry<T>& entry : table) {
        if (entry.id != id) continue;
        if (!ui) {
            if (!entry.handler) continue;
            (self->*entry.handler)();
        } else if (entry.update) {
            ui->Enable(true);
            (self->*entry.update)(ui);
        } else {
            ui->Enable(entry.handler != nullptr);
        }
        return true;
    }
    return false;
}

}  // namespace morvale
