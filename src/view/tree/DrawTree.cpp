#include <array>
#include <cmath>

#include "view/FractalView.h"
#include "view/tree/TreeStatus.h"
#include "view/tree/TreeWalker.h"

namespace morvale {
namespace {

// Segments go to the device handed to the paint, so the tree also reaches printer and preview.
class DeviceTreeCanvas final : public TreeCanvas {
public:
    DeviceTreeCanvas(CDC& dc, CPen*& oldPen, PaneWriter& writer, IMainFrame* frame,
                     const std::array<PaneSetting, 5>& panes)
        : dc_(dc), oldPen_(oldPen), writer_(writer), frame_(frame), panes_(panes) {}

    void MoveTo(TreePoint point) override { dc_.MoveTo(point.x, point.y); }

    void LineTo(TreePoint to, COLORREF colour) override {
        CPen pen(PS_SOLID, 1, colour);
        oldPen_ = dc_.SelectObject(&pen);
        dc_.LineTo(to.x, to.y);
        dc_.SelectObject(oldPen_);
    }

    // Every node refreshes the panes; the writer makes the repeats free.
    void NodeDone() override {
        for (const PaneSetting& pane : panes_) writer_.Write(frame_, pane);
    }

private:
    CDC& dc_;
    CPen*& oldPen_;
    PaneWriter& writer_;
    IMainFrame* frame_;
    const std::array<PaneSetting, 5>& panes_;
};

TreeParams ParamsOf(const CFractalView& view) {
    TreeParams params;
    params.branches = view.Branches;
    params.redux = view.Redux;
    params.turnRange = view.TurnRange;
    params.turnThreshold = view.TurnThreshold;
    params.minSegments = view.MinSegments;
    params.colourSeries = view.ColourSeries;
    params.colour = view.TreeColour != 0;
    params.turnAngle = view.TurnAngle;
    params.segmentLength = view.SegmentLength;
    return params;
}

}  // namespace

void CFractalView::DrawTree(CDC* dc, int segments, int x, int y) {
    if (!dc) return;
    const std::array<PaneSetting, 5> panes =
        TreePaneSettings({Branches, SegmentOffset, SegmentLength, TurnAngle, Redux});
    BranchText = panes[0].text;
    // Others (pointer readout, database) may have written these panes since the last tree.
    treePanes_.Forget();
    DeviceTreeCanvas canvas(*dc, OldPen, treePanes_, GetMainFrame(), panes);
    TreeParams params = ParamsOf(*this);
    params.segmentLength *= treeScale_;
    const TreePoint root{int(std::lround(x * treeScale_)), int(std::lround(y * treeScale_))};
    TreeWalker(params, treeRandom_, PenColour, canvas).Grow(segments, root);
    OldPen = nullptr;  // it belonged to the device, which outlives no paint
}

}  // namespace morvale
