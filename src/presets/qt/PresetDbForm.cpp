#include "presets/qt/PresetDbForm.h"

#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "platform/qt/DialogFont.h"
#include "platform/qt/QtText.h"
#include "presets/qt/DialogUnits.h"
#include "presets/qt/PresetList.h"

namespace morvale {
namespace {

// Dialog template, in dialog units.
constexpr QSize kDialogSize{396, 170};
constexpr QRect kOkRect{97, 152, 50, 14};
constexpr QRect kCancelRect{199, 152, 50, 14};
constexpr QRect kListRect{0, 0, 392, 105};
constexpr int kLabelY = 114, kLabelW = 35, kLabelH = 11;
constexpr int kEditY = 128, kEditW = 35, kEditH = 12;

constexpr QColor kListGrey{192, 192, 192};
constexpr int kColumnWidth = 80;  // pixels

QTableWidgetItem* CentredItem(std::string_view text) {
    auto* item = new QTableWidgetItem(Utf8(text));
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

}  // namespace

PresetDbForm::PresetDbForm(QDialog& dialog, std::string_view caption, UINT listId)
    : dialog_(dialog) {
    Build(caption, listId);
}

void PresetDbForm::Build(std::string_view caption, UINT listId) {
    dialog_.setWindowTitle(Utf8(caption));
    dialog_.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog_.setFont(DialogFont());
    const DialogUnits units(dialog_.font());
    dialog_.setFixedSize(units.ToPixels(kDialogSize));

    // Created in tab order: OK, Cancel, list, then the edit fields left to right.
    ok_ = new QPushButton(QStringLiteral("OK"), &dialog_);
    ok_->setObjectName(ControlName(IDOK));
    ok_->setGeometry(units.ToPixels(kOkRect));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), &dialog_);
    cancel_->setObjectName(ControlName(IDCANCEL));
    cancel_->setGeometry(units.ToPixels(kCancelRect));
    QObject::connect(cancel_, &QPushButton::clicked, &dialog_, &QDialog::reject);

    list_ = new PresetList(&dialog_);
    list_->setObjectName(ControlName(listId));
    list_->setGeometry(units.ToPixels(kListRect));
    QWidget::setTabOrder(ok_, cancel_);
    QWidget::setTabOrder(cancel_, list_);
    lastInTabOrder_ = list_;
}

QLineEdit* PresetDbForm::AddField(std::string_view label, UINT editId, int labelX, int editX) {
    const DialogUnits units(dialog_.font());
    auto* caption = new QLabel(Utf8(label), &dialog_);
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption->setGeometry(units.ToPixels(QRect(labelX, kLabelY, kLabelW, kLabelH)));
    auto* edit = new QLineEdit(&dialog_);
    edit->setObjectName(ControlName(editId));
    edit->setGeometry(units.ToPixels(QRect(editX, kEditY, kEditW, kEditH)));
    QWidget::setTabOrder(lastInTabOrder_, edit);
    lastInTabOrder_ = edit;
    return edit;
}

void PresetDbForm::BeginFill(int rowCount) {
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, kListGrey);
    palette.setColor(QPalette::AlternateBase, kListGrey);
    list_->setPalette(palette);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);     // full-row selection
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);  // several rows at once
    list_->horizontalHeader()->setSectionsMovable(true);            // display order only
    list_->horizontalHeader()->setFirstSectionMovable(true);

    list_->selectionModel()->blockSignals(true);
    list_->setRowCount(0);
    list_->setColumnCount(int(bound_.size()));
    for (std::size_t c = 0; c < bound_.size(); ++c) {
        list_->setHorizontalHeaderItem(int(c), CentredItem(bound_[c].heading));
        list_->setColumnWidth(int(c), kColumnWidth);
    }
    list_->setRowCount(rowCount);
}

void PresetDbForm::SetRow(int row, std::span<const std::string_view> cells) {
    const int columns = std::min(int(cells.size()), list_->columnCount());
    for (int c = 0; c < columns; ++c) {
        QTableWidgetItem* item = CentredItem(cells[std::size_t(c)]);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (c == 0) flags |= Qt::ItemIsEditable;  // only the label column may be edited in place
        item->setFlags(flags);
        list_->setItem(row, c, item);
    }
}

void PresetDbForm::EndFill() {
    list_->ParkOnFirstRow();
    list_->selectionModel()->blockSignals(false);
}

void PresetDbForm::Exchange(bool saveAndValidate) {
    for (const Bound& column : bound_) {
        if (saveAndValidate)
            *column.text = column.edit->text();
        else if (column.edit->text() != *column.text) {
            column.edit->setText(*column.text);
            column.edit->setCursorPosition(0);  // long texts show their beginning
        }
    }
}

void PresetDbForm::LoadRow(int row) {
    for (std::size_t c = 0; c < bound_.size(); ++c) {
        const QTableWidgetItem* item = list_->item(row, int(c));
        *bound_[c].result = *bound_[c].text = item ? item->text() : QString();
    }
}

void PresetDbForm::TakeEdit(const QString& text) {
    Exchange(true);
    for (const Bound& column : bound_)
        if (column.text == &text) *column.result = text;
}

void PresetDbForm::ConnectRowChanges(std::function<void(int)> handler) {
    QItemSelectionModel* selection = list_->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::currentRowChanged, &dialog_,
                     [handler](const QModelIndex& current, const QModelIndex&) {
                         if (current.isValid()) handler(current.row());
                     });
    // Selecting or deselecting without moving the current row (the first click on the silent
    // current row, Ctrl+click, Ctrl+Space) is a row change as well.
    QObject::connect(
        selection, &QItemSelectionModel::selectionChanged, &dialog_,
        [this, handler](const QItemSelection& selected, const QItemSelection& deselected) {
            QList<int> rows;
            for (const QModelIndex& index : selected.indexes()) rows << index.row();
            for (const QModelIndex& index : deselected.indexes()) rows << index.row();
            const int row = RowOfLastChange(rows);
            if (row >= 0) handler(row);
        });
}

int PresetDbForm::RowOfLastChange(const QList<int>& rows) const {
    if (rows.isEmpty()) return -1;
    // A click inside a selection deselects the other rows but leaves its own: it is still the
    // row the user moved to last.
    const int current = list_->currentIndex().row();
    if (rows.contains(current) || list_->selectionModel()->isRowSelected(current)) return current;
    return rows.last();
}

void PresetDbForm::ConnectEdit(QLineEdit* edit, std::function<void()> handler) {
    QObject::connect(edit, &QLineEdit::textEdited, &dialog_, std::move(handler));
}

void PresetDbForm::ConnectOk(std::function<void()> beforeClose) {
    QObject::connect(ok_, &QPushButton::clicked, &dialog_, [this, beforeClose] {
        beforeClose();
        dialog_.accept();
    });
}

int PresetDbForm::RunModal(bool focusFirstControl) {
    if (focusFirstControl) ok_->setFocus();
    return dialog_.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

}  // namespace morvale
