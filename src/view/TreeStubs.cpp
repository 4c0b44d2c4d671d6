#include "view/FractalView.h"

namespace morvale {

// Placeholders until the branching tree lands.
void CFractalView::DrawTree(CDC*, int, int, int) {}
void CFractalView::OnTreeMode() {}
void CFractalView::OnTreeReset() {}
void CFractalView::OnBranchesMore() {}
void CFractalView::OnBranchesFewer() {}
void CFractalView::OnSegmentsMore() {}
void CFractalView::OnSegmentsFewer() {}
void CFractalView::OnRadMore() {}
void CFractalView::OnRadLess() {}
void CFractalView::OnDtMore() {}
void CFractalView::OnDtLess() {}
void CFractalView::OnTreeColour() {}
void CFractalView::OnReduxMore() {}
void CFractalView::OnReduxLess() {}
void CFractalView::OnUpdateTreeColour(CCmdUI*) {}

}  // namespace morvale
