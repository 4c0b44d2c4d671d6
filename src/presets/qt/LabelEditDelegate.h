// In-place editing of a list's labels that the user may start but that never changes a cell.
#pragma once

#include <QStyledItemDelegate>

namespace morvale {

class LabelEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The preset tables are constant: an edited label is dropped.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

}  // namespace morvale
