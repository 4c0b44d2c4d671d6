// A view in tree mode with a recording main window and a picture to paint into.
#pragma once

#include <gtest/gtest.h>

#include <map>

#include "FakeFrame.h"
#include "doc/Morvale1Doc.h"
#include "platform/CDC.h"
#include "platform/PixelSurface.h"
#include "view/FractalView.h"

namespace morvale::testing {

inline constexpr Pixel kBackground = PixelFromRgb(192, 192, 192);

class CountingFrame : public FakeFrame {
public:
    void SetPaneText(int index, const std::string& text, bool update) override {
        ++textCalls;
        FakeFrame::SetPaneText(index, text, update);
    }
    int textCalls = 0;
};

class TestView : public CFractalView {
public:
    using CFractalView::CFractalView;
    int invalidations = 0;

protected:
    void Invalidate() override { ++invalidations; }
};

class TreeViewTest : public ::testing::Test {
protected:
    TreeViewTest() {
        view.SetMainFrame(&frame);
        view.ViewMode = Drawing::Tree;
    }

    // One paint on a freshly erased picture.
    const PixelImage& Paint() {
        image = PixelImage(kWidth, kHeight, kBackground);
        CDC dc(image.Surface(), 1280, 1024);
        view.OnDraw(&dc);
        return image;
    }

    std::map<Pixel, int> Colours() const {
        std::map<Pixel, int> count;
        for (Pixel p : image.Pixels()) ++count[p];
        return count;
    }

    const std::string& Pane(int index) const { return frame.panes.at(std::size_t(index)).text; }

    static constexpr int kWidth = 900;
    static constexpr int kHeight = 800;
    CountingFrame frame;
    CMorvale1Doc doc;
    TestView view{&doc};
    PixelImage image;
};

}  // namespace morvale::testing
