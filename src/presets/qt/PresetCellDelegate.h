// How the preset list's cells paint and edit: without a focus frame of their own, since the list
// frames the whole current row, and with in-place label editing that never changes a cell.
#pragma once

#include <QStyledItemDelegate>

namespace morvale {

class PresetCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        cell.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cell, index);
    }

    // The preset tables are constant: an edited label is dropped.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

}  // namespace morvale
