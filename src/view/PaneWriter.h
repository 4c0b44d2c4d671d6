// Writes status panes through the main window, skipping a pane whose width, style and text are
// those it wrote last: the tree refreshes the same panes thousands of times per drawing.
#pragma once

#include <array>
#include <string>

#include "platform/MainFrameLink.h"

namespace morvale {

struct PaneSetting {
    Pane pane = Pane::Prompt;
    PaneStyle style = SBPS_NORMAL;
    int width = 0;  // pixels
    std::string text;
};

class PaneWriter {
public:
    // Other writers may have changed the panes since: the next write of each pane goes through.
    void Forget();
    // SetPaneInfo with id 0, then SetPaneText with update; nothing when unchanged. frame may be
    // null.
    void Write(IMainFrame* frame, const PaneSetting& pane);

private:
    struct Written {
        bool valid = false;
        PaneStyle style = SBPS_NORMAL;
        int width = 0;
        std::string text;
    };
    std::array<Written, kPaneCount> written_;
};

}  // namespace morvale
