#include "view/FractalView.h"
#include "view/tree/TreeGeometry.h"

namespace morvale {
namespace {

constexpr int kSegmentStep = 10;
constexpr double kStep = 0.1;

}  // namespace

void CFractalView::TreeChanged() {
    Segments = kSegmentBase + SegmentOffset;
    Invalidate();
}

void CFractalView::OnTreeMode() {
    ViewMode = Drawing::Tree;
    TreeChanged();
}

void CFractalView::OnTreeReset() {
    Branches = 7;
    SegmentOffset = 0;
    Segments = kSegmentBase;
    HomeX = 320;
    HomeY = 240;
    SegmentLength = 3.0;
    TurnAngle = 0.1;
    Redux = 3;
    TurnRange = 100;
    TurnThreshold = 30;
    MinSegments = 1;
    RootX = HomeX;
    RootY = HomeY;
    Invalidate();
}

void CFractalView::OnBranchesMore() {
    ++Branches;
    TreeChanged();
}

void CFractalView::OnBranchesFewer() {
    --Branches;
    TreeChanged();
}

void CFractalView::OnSegmentsMore() {
    SegmentOffset += kSegmentStep;
    TreeChanged();
}

void CFractalView::OnSegmentsFewer() {
    SegmentOffset -= kSegmentStep;
    TreeChanged();
}

void CFractalView::OnRadMore() {
    SegmentLength += kStep;
    TreeChanged();
}

void CFractalView::OnRadLess() {
    SegmentLength -= kStep;
    TreeChanged();
}

void CFractalView::OnDtMore() {
    TurnAngle += kStep;
    TreeChanged();
}

void CFractalView::OnDtLess() {
    TurnAngle -= kStep;
    TreeChanged();
}

void CFractalView::OnTreeColour() {
    TreeColour = TreeColour ? 0 : 1;
    PenColour = RGB(0, 0, 0);
    TreeChanged();
}

// Redux may reach 1, 0 and below; the drawing stops a level that would not shrink.
void CFractalView::OnReduxMore() {
    ++Redux;
    TreeChanged();
}

void CFractalView::OnReduxLess() {
    --Redux;
    TreeChanged();
}

void CFractalView::OnUpdateTreeColour(CCmdUI* ui) {
    ui->SetCheck(TreeColour == 1);
}

}  // namespace morvale
