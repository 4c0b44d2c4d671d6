#include "presets/qt/PresetList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "presets/qt/PresetCellDelegate.h"

namespace morvale {

PresetList::PresetList(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 3);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);  // Tab leaves the list for the next control
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new PresetCellDelegate(this));
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

void PresetList::ParkOnFirstRow() {
    parked_ = rowCount() > 0;
    if (parked_)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

void PresetList::keyPressEvent(QKeyEvent* event) {
    if (parked_ && event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier) {
        selectionModel()->select(currentIndex(),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void PresetList::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid()) return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    frame.rect = RowRect(current.row());
    frame.backgroundColor = palette().color(
        selectionModel()->isRowSelected(current.row()) ? QPalette::Highlight : QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

// A click inside a selection of several rows selects its row alone; only the sole selected
// row's label opens for editing on a click.
bool PresetList::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger == SelectedClicked && selectionModel()->selectedRows().size() > 1) return false;
    return QTableWidget::edit(index, trigger, event);
}

void PresetList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    parked_ = false;
    QTableWidget::currentChanged(current, previous);
    if (previous.isValid()) viewport()->update(RowRect(previous.row()));
    if (current.isValid()) viewport()->update(RowRect(current.row()));
}

void PresetList::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    parked_ = false;
    QTableWidget::selectionChanged(selected, deselected);
}

QRect PresetList::RowRect(int row) const {
    return {-horizontalOffset(), rowViewportPosition(row), horizontalHeader()->length(),
            rowHeight(row)};
}

}  // namespace morvale
