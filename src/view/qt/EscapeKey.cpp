#include "view/qt/EscapeKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace morvale {

EscapeKey::EscapeKey(QWidget* insideWindowOf, std::function<bool()> stop)
    : owner_(insideWindowOf), stop_(std::move(stop)) {
    qApp->installEventFilter(this);
}

EscapeKey::~EscapeKey() {
    if (qApp) qApp->removeEventFilter(this);
}

bool EscapeKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !owner_) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() != Qt::Key_Escape || modifiers != Qt::NoModifier) return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || widget->window() != owner_->window()) return false;
    return stop_();
}

}  // namespace morvale
