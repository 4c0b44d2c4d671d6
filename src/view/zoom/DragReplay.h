// A zoom drag without a mouse: the same handlers the window's mouse events reach.
#pragma once

#include "view/FractalView.h"

namespace morvale {

// Press at from, one move to to, release at to (client pixels).
void ReplayDrag(CFractalView& view, CPoint from, CPoint to);

}  // namespace morvale
