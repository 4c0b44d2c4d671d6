// A status bar of panes addressed by index, each with an id, a style and a width in pixels.
// Panes that do not fit are clipped at the right; they never make the window wider.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <vector>

#include "platform/MainFrameLink.h"

namespace morvale {

class PaneStrip;

class PaneStatusBar : public QStatusBar {
public:
    PaneStatusBar(int paneCount, QWidget* parent = nullptr);

    int PaneCount() const;
    // width: pixels of text room, as the pane writers count them (scaled up for wide fonts).
    void SetPaneInfo(int index, UINT id, PaneStyle style, int width);
    void GetPaneInfo(int index, UINT& id, PaneStyle& style, int& width) const;
    // updateNow repaints at once; an unchanged text costs nothing.
    void SetPaneText(int index, const QString& text, bool updateNow = true);
    QString PaneText(int index) const;
    // Where the pane sits inside the bar (for tests and hit checks).
    QRect PaneRect(int index) const;

private:
    PaneStrip* strip_;
};

}  // namespace morvale
