// A status bar of panes addressed by index, each with an id, a style and a width in pixels, and
// never narrower than its text (a value pane up to an eighth of the bar). Panes that do not fit
// are clipped at the right; they never make the window wider.
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
    // updateNow repaints at once; an unchanged text costs nothing. A pane grows to hold its text.
    void SetPaneText(int index, const QString& text, bool updateNow = true);
    // The longest form of the text that the pane's width holds, again after every layout.
    void SetPaneFittingText(int index, const PaneFittingText& text, bool updateNow = true);
    // A command prompt: shown at once, cut at the pane's end rather than widening it (whole in
    // the pane's tool tip), so hovering the bars moves no pane.
    void ShowPrompt(int index, const QString& text);
    QString PaneText(int index) const;
    // The whole text of a pane that shows it cut or rounded; empty when it shows it all.
    QString PaneToolTip(int index) const;
    // Where the pane sits inside the bar (for tests and hit checks).
    QRect PaneRect(int index) const;

private:
    void SetText(int index, const QString& text, bool updateNow, bool mayCut);

    PaneStrip* strip_;
};

}  // namespace morvale
