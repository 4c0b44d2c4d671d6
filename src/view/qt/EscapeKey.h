// Escape stops what the window computes, whichever of its widgets has the keyboard: the view, the
// depth box's field or a toolbar. A shortcut would lose the key to a focused field that keeps it
// for itself; this filter sees it before any widget does. Other windows (menus, dialogs) keep
// their own Escape.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace morvale {

class EscapeKey : public QObject {
public:
    // stop: ends whatever runs; false when nothing did, and the key goes on to its widget.
    EscapeKey(QWidget* insideWindowOf, std::function<bool()> stop);
    ~EscapeKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> owner_;
    std::function<bool()> stop_;
};

}  // namespace morvale
