// The controls of a database dialog: the preset list, one labelled edit field per column, OK
// and Cancel, laid out in dialog units. Both database dialogs own one; it holds no texts.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <span>
#include <string_view>

#include "platform/CommandIds.h"

class QDialog;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace morvale {

struct PresetDbField {
    const char* label;  // shown above the edit field
    UINT editId;
    int labelX;  // dialog units
    int editX;   // dialog units
};

struct PresetDbLayout {
    const char* caption;
    UINT listId;
    std::span<const PresetDbField> fields;  // in the table's column order
};

class PresetDbForm {
public:
    PresetDbForm(QDialog& dialog, const PresetDbLayout& layout);

    QTableWidget* List() const { return list_; }
    QLineEdit* Edit(UINT editId) const;
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // Replaces the list's columns and rows; filling raises no row change.
    template <class Rows>
    void Fill(std::span<const std::string_view> headings, const Rows& rows) {
        BeginFill(headings, int(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) SetRow(int(r), rows[r]);
        EndFill();
    }
    QString CellText(int row, int column) const;

    // handler(row) for every row the user selects, deselects or moves the focus to.
    void ConnectRowChanges(std::function<void(int)> handler);
    // handler() for every change the user makes to the field's text.
    void ConnectEdit(UINT editId, std::function<void()> handler);
    // beforeClose() runs when OK is pressed, before the dialog closes.
    void ConnectOk(std::function<void()> beforeClose);

    // Shows the dialog modally; returns IDOK or IDCANCEL.
    int RunModal(bool focusFirstControl);

private:
    void Build(const PresetDbLayout& layout);
    void BuildList(UINT listId);
    void BeginFill(std::span<const std::string_view> headings, int rowCount);
    void SetRow(int row, std::span<const std::string_view> cells);
    void EndFill();
    int RowOfLastChange(const QList<int>& rows) const;

    QDialog& dialog_;
    QTableWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace morvale
