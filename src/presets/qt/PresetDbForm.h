// The controls of a database dialog, laid out in dialog units: the preset list, one labelled
// edit field per column, OK and Cancel. Each edit field is bound to the dialog's edit string and
// result slot of its column, and the form moves the texts between them.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/CommandIds.h"
#include "presets/qt/PresetList.h"

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace morvale {

// One column of a database dialog: what the list and the field below it show, and the members
// that belong to it.
template <class Dlg>
struct PresetDbColumn {
    std::string_view heading;  // in the list
    std::string_view label;    // above the edit field
    UINT editId;
    QString Dlg::*text;       // the edit string
    void (Dlg::*onChange)();  // the edit-changed handler
    int labelX;               // dialog units
    int editX;                // dialog units
};

// The object name of a control: its id, so that tools and tests can find it.
inline QString ControlName(UINT id) {
    return QString::number(id);
}

class PresetDbForm {
public:
    PresetDbForm(QDialog& dialog, std::string_view caption, UINT listId);

    // Adds the columns' fields left to right, binds them to the dialog's edit strings and
    // `results`, and sends the user's edits of each field to its handler.
    template <class Dlg, std::size_t N>
    void Bind(Dlg& dlg, const std::array<PresetDbColumn<Dlg>, N>& columns,
              std::array<QString, N>& results) {
        for (std::size_t c = 0; c < N; ++c) {
            const PresetDbColumn<Dlg>& column = columns[c];
            QLineEdit* edit = AddField(column.label, column.editId, column.labelX, column.editX);
            bound_.push_back({column.heading, edit, &(dlg.*column.text), &results[c]});
            ConnectEdit(edit, [&dlg, handler = column.onChange] { (dlg.*handler)(); });
        }
    }

    QTableWidget* List() const { return list_; }

    // The data transfer: fields to edit strings (save), or edit strings to fields. Setting a
    // field is not a user edit, so it raises no edit-changed notification.
    void Exchange(bool saveAndValidate);

    // Fills the list with the bound columns and `rows`, raising no row change. Until a row or
    // an edit fills a result slot, it holds what its field shows now, so OK at once hands the
    // caller's texts back unchanged.
    template <class Rows>
    void Open(const Rows& rows) {
        for (const Bound& column : bound_) *column.result = *column.text;
        BeginFill(int(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) SetRow(int(r), rows[r]);
        EndFill();
    }

    // Every result slot and edit string takes the row's text in its column.
    void LoadRow(int row);
    // The user changed the field bound to `text`: every field goes into its edit string, and
    // that one into its result slot.
    void TakeEdit(const QString& text);

    // handler(row) for every row the user selects, deselects or moves the focus to.
    void ConnectRowChanges(std::function<void(int)> handler);
    // beforeClose() runs when OK is pressed, before the dialog closes.
    void ConnectOk(std::function<void()> beforeClose);

    // Shows the dialog modally; returns IDOK or IDCANCEL.
    int RunModal(bool focusFirstControl);

private:
    struct Bound {
        std::string_view heading;
        QLineEdit* edit;
        QString* text;
        QString* result;
    };

    void Build(std::string_view caption, UINT listId);
    QLineEdit* AddField(std::string_view label, UINT editId, int labelX, int editX);
    void ConnectEdit(QLineEdit* edit, std::function<void()> handler);
    void BeginFill(int rowCount);
    void SetRow(int row, std::span<const std::string_view> cells);
    void EndFill();
    int RowOfLastChange(const QList<int>& rows) const;

    QDialog& dialog_;
    PresetList* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QWidget* lastInTabOrder_ = nullptr;
    std::vector<Bound> bound_;  // in the table's column order
};

}  // namespace morvale
