// Offers commands to a chain of command targets (view, document, frame, application) and keeps
// every registered action's enabled and checked state in step with the update handlers.
#pragma once

#include <QAction>
#include <QHash>
#include <QObject>
#include <vector>

#include "platform/CommandTarget.h"

namespace morvale {

// An update handler's view of one action.
class ActionCmdUI : public CCmdUI {
public:
    ActionCmdUI(UINT id, QAction* action) : CCmdUI(id), action_(action) {}
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;

private:
    QAction* action_;
};

class CommandRouter : public QObject {
public:
    explicit CommandRouter(QObject* parent = nullptr);

    // In routing order; null entries are skipped.
    void SetTargets(std::vector<CCmdTarget*> targets) { targets_ = std::move(targets); }

    // Runs the first handler of the chain; false when no table handles the command.
    bool Route(UINT id);
    // Runs the first update handler for id; an unhandled command is disabled.
    void Update(CCmdUI& ui);

    // The action's triggers route its command; its state follows the update handlers.
    void Register(QAction* action, UINT id);
    void Unregister(UINT id) { actions_.remove(id); }
    // Forgets every action (their window is going away).
    void Clear() { actions_.clear(); }
    QAction* Action(UINT id) const { return actions_.value(id); }
    void UpdateActions();
    // Updates on every idle turn of the event loop.
    void UpdateWhenIdle();

private:
    std::vector<CCmdTarget*> targets_;
    QHash<UINT, QAction*> actions_;
    bool updating_ = false;
};

// The command id an action carries.
UINT CommandId(const QAction* action);

}  // namespace morvale
