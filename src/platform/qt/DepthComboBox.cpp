#include "platform/qt/DepthComboBox.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <iterator>

namespace morvale {
namespace {

// Without horizontal scrolling the field takes no more text than it can show: typed, pasted
// (keys, context menu, middle click) or dropped alike, since the line edit validates every user
// edit and undoes a refused one. Text set by the program is not validated and always goes in.
class FitsFieldValidator : public QValidator {
public:
    explicit FitsFieldValidator(QLineEdit* field) : QValidator(field), field_(field) {}

    State validate(QString& input, int&) const override {
        const QMargins margins = field_->textMargins();
        const int room = field_->contentsRect().width() - margins.left() - margins.right() - 4;
        return field_->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit* field_;
};

}  // namespace

DepthComboBox::DepthComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    auto* field = new QLineEdit(this);
    field->setValidator(new FitsFieldValidator(field));
    setLineEdit(field);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (notify_.editChange) notify_.editChange();
    });
    connect(this, &QComboBox::activated, this, [this] {
        if (notify_.selChange) notify_.selChange();
    });
}

void DepthComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    // Only the user moving into the box counts. Focus handed back when the list, a menu, a
    // dialog or another window closes is no new focus: a typed depth stays on show.
    constexpr Qt::FocusReason kByTheUser[] = {Qt::MouseFocusReason, Qt::TabFocusReason,
                                              Qt::BacktabFocusReason, Qt::ShortcutFocusReason};
    if (std::ranges::find(kByTheUser, event->reason()) != std::end(kByTheUser) && notify_.setFocus)
        notify_.setFocus();
}

}  // namespace morvale
