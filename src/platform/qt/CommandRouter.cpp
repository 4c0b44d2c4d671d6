#include "platform/qt/CommandRouter.h"

#include <QAbstractEventDispatcher>
#include <QScopedValueRollback>
#include <QThread>

namespace morvale {

void ActionCmdUI::Enable(bool on) {
    CCmdUI::Enable(on);
    action_->setEnabled(on);
}

void ActionCmdUI::SetCheck(int check) {
    CCmdUI::SetCheck(check);
    action_->setCheckable(true);
    action_->setChecked(check != 0);
}

CommandRouter::CommandRouter(QObject* parent) : QObject(parent) {}

bool CommandRouter::Route(UINT id) {
    for (CCmdTarget* target : targets_)
        if (target && target->ExecuteCommand(id)) return true;
    return false;
}

void CommandRouter::Update(CCmdUI& ui) {
    for (CCmdTarget* target : targets_)
        if (target && target->UpdateCommand(ui)) return;
    ui.Enable(false);
}

void CommandRouter::Register(QAction* action, UINT id) {
    action->setData(id);
    action->setObjectName(QString::number(id));
    actions_.insert(id, action);
    connect(action, &QAction::triggered, this, [this, id] {
        Route(id);
        UpdateActions();
    });
}

void CommandRouter::UpdateActions() {
    // Setting a state can run the event loop's idle hook again; one pass at a time.
    if (updating_) return;
    QScopedValueRollback guard(updating_, true);
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        ActionCmdUI ui(it.key(), it.value());
        Update(ui);
    }
}

void CommandRouter::UpdateWhenIdle() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CommandRouter::UpdateActions, Qt::UniqueConnection);
}

UINT CommandId(const QAction* action) {
    return action->data().toUInt();
}

}  // namespace morvale
