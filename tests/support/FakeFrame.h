// A main window stand-in that records what the document and the view write to it.
#pragma once

#include <array>
#include <string>

#include "platform/MainFrameLink.h"

namespace morvale::testing {

struct FakePane {
    UINT id = 0;
    PaneStyle style = SBPS_NORMAL;
    int width = -1;
    std::string text;
    int infoCalls = 0;
};

class FakeFrame : public IMainFrame {
public:
    void SetWindowText(const std::string& t) override { title = t; }
    void SetPaneInfo(int index, UINT id, PaneStyle style, int width) override {
        FakePane& p = panes.at(std::size_t(index));
        p.id = id;
        p.style = style;
        p.width = width;
        ++p.infoCalls;
    }
    void SetPaneText(int index, const std::string& text, bool) override {
        panes.at(std::size_t(index)).text = text;
    }
    void SetDepthBoxText(const std::string& text) override { depthBox = text; }

    std::string title = "Morvale";
    std::string depthBox = "Tiefe";
    std::array<FakePane, kPaneCount> panes;
};

}  // namespace morvale::testing
