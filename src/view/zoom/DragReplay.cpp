#include "view/zoom/DragReplay.h"

namespace morvale {

namespace {
constexpr UINT kLeftButtonHeld = 0x0001;
}

void ReplayDrag(CFractalView& view, CPoint from, CPoint to) {
    view.OnLButtonDown(kLeftButtonHeld, from);
    view.OnMouseMove(kLeftButtonHeld, to);
    view.OnLButtonUp(0, to);
}

}  // namespace morvale
