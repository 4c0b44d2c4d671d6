// What the document and the view need of the main window, without depending on a toolkit.
#pragma once

#include <functional>
#include <string>

#include "platform/CommandIds.h"

namespace morvale {

// Status bar pane styles; a pane's style may combine a border style with SBPS_STRETCH.
enum PaneStyle : UINT {
    SBPS_NORMAL = 0x0000,  // sunken border, fixed width
    SBPS_NOBORDERS = 0x0100,
    SBPS_POPOUT = 0x0200,
    SBPS_STRETCH = 0x08000000,  // takes the width the other panes leave
};

constexpr PaneStyle operator|(PaneStyle a, PaneStyle b) {
    return PaneStyle(UINT(a) | UINT(b));
}
constexpr PaneStyle operator&(PaneStyle a, PaneStyle b) {
    return PaneStyle(UINT(a) & UINT(b));
}

// The status bar's panes by index. The database command writes its texts to the parameter panes
// 2 to 8, the tree its settings to 2 to 5.
enum class Pane : int {
    Prompt = 0,   // command prompts; the idle text when there is none
    Readout = 1,  // pointer coordinates, or the tree's branch count
    FirstParameter = 2,
    LastParameter = 8,
};

inline constexpr int kPaneCount = int(Pane::LastParameter) + 1;

constexpr int PaneIndex(Pane pane) {
    return int(pane);
}
// The parameter pane offset places after the first.
constexpr Pane ParameterPane(int offset) {
    return Pane(int(Pane::FirstParameter) + offset);
}

// A pane text that can be shown shorter: text(n) for n from fewest to most, each a whole reading
// (numbers rounded to n digits, never cut). The pane shows the longest that fits its width and
// is never narrower than text(fewest).
struct PaneFittingText {
    std::function<std::string(int n)> text;
    int fewest = 1;
    int most = 1;
};

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    virtual void SetWindowText(const std::string& title) = 0;
    // Status bar of kPaneCount panes, addressed by index; texts are UTF-8 and shown as they are.
    virtual void SetPaneInfo(int index, UINT id, PaneStyle style, int width) = 0;
    virtual void SetPaneText(int index, const std::string& text, bool update = true) = 0;
    // Without a pane bar that measures texts, the longest.
    virtual void SetPaneFittingText(int index, const PaneFittingText& text) {
        SetPaneText(index, text.text(text.most), true);
    }
    // Replaces the depth box's displayed text; this is not an edit by the user.
    virtual void SetDepthBoxText(const std::string& text) = 0;
};

}  // namespace morvale
