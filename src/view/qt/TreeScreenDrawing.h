// The tree drawn for the screen off the window's thread, like the escape-time pictures: a tree
// done within 50 ms shows at once, one done within a quarter second when it ends, a longer one
// every 100 ms with "Zeichnen: n %" in pane 0; Escape stops it (docs/drawing.md).
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace morvale {

class CFractalView;
class TreeJob;

class TreeScreenDrawing : public QObject {
public:
    struct Hooks {
        // What the tree has drawn replaces the view's picture; complete: the whole tree.
        std::function<void(const QImage& drawn, bool complete)> show;
        // Pane 0's text; empty for its idle text.
        std::function<void(const QString& text)> status;
    };

    explicit TreeScreenDrawing(Hooks hooks);
    ~TreeScreenDrawing() override;

    // Starts the view's next tree on a cleared picture of imageSize for a device of deviceSize.
    void Start(CFractalView& view, QSize imageSize, QSize deviceSize, QColor background);
    bool Running() const { return job_ != nullptr; }
    // Ends the running tree; keep: what it drew stays (Escape). A tree that was already complete
    // counts as complete.
    void Stop(bool keep);
    // Stop(true) and "Abgebrochen" in pane 0; false when no tree was running.
    bool Cancel();

private:
    void Ended();
    void ShowProgress();
    void Show(bool complete);
    void Forget(bool idleStatus);

    Hooks hooks_;
    QImage pending_;  // the job draws into it
    std::unique_ptr<TreeJob> job_;
    QElapsedTimer clock_;
    QTimer progressTimer_;
    bool showingProgress_ = false;
};

}  // namespace morvale
