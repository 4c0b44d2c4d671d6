#include "view/zoom/DragReplay.h"

namespace morvale {

void ReplayDrag(CFractalView& view, CPoint from, CPoint to) {
    view.OnLButtonDown(CFractalView::kNoKeyFlags, from);
    view.OnMouseMove(CFractalView::kNoKeyFlags, to);
    view.OnLButtonUp(CFractalView::kNoKeyFlags, to);
}

}  // namespace morvale
