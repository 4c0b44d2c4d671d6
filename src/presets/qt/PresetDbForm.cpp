#include "presets/qt/PresetDbForm.h"

#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

#include "presets/qt/DataExchange.h"
#include "presets/qt/DialogUnits.h"
#include "presets/qt/LabelEditDelegate.h"

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

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QTableWidgetItem* CentredItem(std::string_view text) {
    auto* item = new QTableWidgetItem(FromView(text));
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

}  // namespace

PresetDbForm::PresetDbForm(QDialog& dialog, const PresetDbLayout& layout) : dialog_(dialog) {
    Build(layout);
}

void PresetDbForm::Build(const PresetDbLayout& layout) {
    dialog_.setWindowTitle(QString::fromUtf8(layout.caption));
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

    BuildList(layout.listId);
    list_->setGeometry(units.ToPixels(kListRect));

    QWidget* previous = list_;
    QWidget::setTabOrder(ok_, cancel_);
    QWidget::setTabOrder(cancel_, list_);
    for (const PresetDbField& field : layout.fields) {
        auto* label = new QLabel(QString::fromUtf8(field.label), &dialog_);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(units.ToPixels(QRect(field.labelX, kLabelY, kLabelW, kLabelH)));
        auto* edit = new QLineEdit(&dialog_);
        edit->setObjectName(ControlName(field.editId));
        edit->setGeometry(units.ToPixels(QRect(field.editX, kEditY, kEditW, kEditH)));
        QWidget::setTabOrder(previous, edit);
        previous = edit;
    }
}

void PresetDbForm::BuildList(UINT listId) {
    list_ = new QTableWidget(&dialog_);
    list_->setObjectName(ControlName(listId));
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setMinimumSectionSize(1);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 3);
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setCornerButtonEnabled(false);
    list_->setTabKeyNavigation(false);  // Tab leaves the list for the next control
    list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->setItemDelegate(new LabelEditDelegate(list_));
    list_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

QLineEdit* PresetDbForm::Edit(UINT editId) const {
    return dialog_.findChild<QLineEdit*>(ControlName(editId));
}

void PresetDbForm::BeginFill(std::span<const std::string_view> headings, int rowCount) {
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
    list_->setColumnCount(int(headings.size()));
    for (std::size_t c = 0; c < headings.size(); ++c) {
        list_->setHorizontalHeaderItem(int(c), CentredItem(headings[c]));
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
    // A list without a current row would make the first row current on focus-in, which
    // reads as a row change; a silent current row that is not selected avoids it.
    if (list_->rowCount() > 0)
        list_->selectionModel()->setCurrentIndex(list_->model()->index(0, 0),
                                                 QItemSelectionModel::NoUpdate);
    list_->selectionModel()->blockSignals(false);
}

QString PresetDbForm::CellText(int row, int column) const {
    const QTableWidgetItem* item = list_->item(row, column);
    return item ? item->text() : QString();
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
    const int current = list_->currentIndex().row();
    if (rows.contains(current)) return current;
    return rows.last();
}

void PresetDbForm::ConnectEdit(UINT editId, std::function<void()> handler) {
    QLineEdit* edit = Edit(editId);
    Q_ASSERT(edit);
    QObject::connect(edit, &QLineEdit::textEdited, &dialog_, [handler] { handler(); });
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
