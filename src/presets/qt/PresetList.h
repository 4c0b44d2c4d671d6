// The list of a database dialog: whole rows are selected, framed and chosen, as in a report list.
#pragma once

#include <QTableWidget>

namespace morvale {

class PresetList : public QTableWidget {
public:
    explicit PresetList(QWidget* parent);

    // Row 0 becomes current without being selected. Without a current row, taking the focus
    // would make row 0 current, which reads as a row change; parked, the first Down chooses
    // row 0 rather than moving past it. Call with the selection model's signals blocked.
    void ParkOnFirstRow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    QRect RowRect(int row) const;  // viewport coordinates, across every column

    bool parked_ = false;  // the current row is only a stand-in for "none yet"
};

}  // namespace morvale
