#include <array>
#include <cmath>

#include "view/FractalView.h"
#include "view/tree/TreeDeviceCanvas.h"
#include "view/tree/TreeJob.h"
#include "view/tree/TreeOutcome.h"
#include "view/tree/TreeStatus.h"
#include "view/tree/TreeWalker.h"

namespace morvale {
namespace {

// Every node refreshes the panes; the writer makes the repeats free.
class PaneTreeCanvas final : public TreeDeviceCanvas {
public:
    PaneTreeCanvas(CDC& dc, CPen*& oldPen, PaneWriter& writer, IMainFrame* frame,
                   const std::array<PaneSetting, 5>& panes)
        : TreeDeviceCanvas(dc, oldPen), writer_(writer), frame_(frame), panes_(panes) {}

    void NodeDone() override {
        for (const PaneSetting& pane : panes_) writer_.Write(frame_, pane);
    }

private:
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

std::array<PaneSetting, 5> CFractalView::TreePanes() {
    const std::array<PaneSetting, 5> panes =
        TreePaneSettings({Branches, SegmentOffset, SegmentLength, TurnAngle, Redux});
    BranchText = panes[0].text;
    // Others (pointer readout, database) may have written these panes since the last tree.
    treePanes_.Forget();
    return panes;
}

TreePlan CFractalView::PlanTree(int segments, int x, int y) const {
    TreePlan plan;
    plan.params = ParamsOf(*this);
    plan.params.segmentLength *= treeScale_;
    plan.segments = segments;
    plan.root = {int(std::lround(x * treeScale_)), int(std::lround(y * treeScale_))};
    plan.random = treeRandom_;
    plan.pen = PenColour;
    return plan;
}

void CFractalView::DrawTree(CDC* dc, int segments, int x, int y) {
    if (!dc) return;
    const std::array<PaneSetting, 5> panes = TreePanes();
    PaneTreeCanvas canvas(*dc, OldPen, treePanes_, GetMainFrame(), panes);
    const TreePlan plan = PlanTree(segments, x, y);
    TreeWalker(plan.params, treeRandom_, PenColour, canvas).Grow(plan.segments, plan.root);
    OldPen = nullptr;  // it belonged to the device, which outlives no paint
}

TreePlan CFractalView::StartTree(CDC* dc) {
    RecordDevice(dc);
    for (const PaneSetting& pane : TreePanes()) treePanes_.Write(GetMainFrame(), pane);
    TreePlan plan = PlanTree(Segments, RootX, RootY);
    const TreeOutcome outcome = PredictTree(plan.params, plan.segments);
    plan.total = outcome.segments;
    treeRandom_.Skip(outcome.draws);
    if (outcome.pen) PenColour = *outcome.pen;
    return plan;
}

}  // namespace morvale
