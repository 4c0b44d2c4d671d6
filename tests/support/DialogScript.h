// Drives a modal dialog as a user would: the script runs once the dialog is up, and a dialog
// the script left open is cancelled so that a failing test can never hang.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

class QDialog;
class QHeaderView;
class QLineEdit;
class QTableWidget;

namespace morvale::testing {

// Runs `script` inside the modal loop that `runModal` starts, on the dialog then active.
int RunScripted(const std::function<int()>& runModal, const std::function<void(QDialog&)>& script);

// True if a modal dialog came up while `action` ran (it is cancelled at once).
bool OpensModalDialog(const std::function<void()>& action);

void ClickRow(QTableWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Selects the field's whole text and types `text` over it, one keystroke at a time.
void TypeOver(QLineEdit& edit, const QString& text);
// Drags a heading by its section with the mouse, `dx` pixels to the right (negative: left).
void DragHeading(QHeaderView& header, int logicalIndex, int dx);
void PressKey(QDialog& dialog, Qt::Key key);

}  // namespace morvale::testing
