#include "platform/qt/DepthComboBox.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace morvale {
namespace {

// Without horizontal scrolling the field takes no more typed or pasted text than it can show.
// Text set by the program is not typing and always goes in.
class FixedFieldEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QString typed = event->text();
        if (event->matches(QKeySequence::Paste)) typed = QGuiApplication::clipboard()->text();
        if (!typed.isEmpty() && typed.at(0).isPrint() && !Fits(typed)) return;
        QLineEdit::keyPressEvent(event);
    }

private:
    bool Fits(const QString& typed) const {
        QString after = text();
        int at = cursorPosition();
        if (hasSelectedText()) {
            at = selectionStart();
            after.remove(at, selectedText().size());
        }
        after.insert(at, typed);
        const QMargins margins = textMargins();
        const int room = contentsRect().width() - margins.left() - margins.right() - 4;
        return fontMetrics().horizontalAdvance(after) <= room;
    }
};

}  // namespace

DepthComboBox::DepthComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setLineEdit(new FixedFieldEdit(this));
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
    // Closing the drop-down list hands the focus back; that is no new focus.
    if (event->reason() != Qt::PopupFocusReason && notify_.setFocus) notify_.setFocus();
}

}  // namespace morvale
