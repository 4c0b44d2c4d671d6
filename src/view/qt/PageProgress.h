// Computes an escape-time page on a thread of its own; after a quarter second a progress dialog
// shows the rows done and offers to cancel.
#pragma once

#include <functional>

#include "render/EscapeRenderer.h"

class QWidget;

namespace morvale {

// False when the user cancelled; tally receives what was computed. While the page is computed,
// stop holds a call that cancels it (the window's Escape key); empty again afterwards.
bool ComputePageWithProgress(QWidget* parent, const EscapeScene& scene,
                             const EscapeColouring& colours, const PixelSurface& surface,
                             EscapeTally& tally, std::function<void()>& stop);

}  // namespace morvale
