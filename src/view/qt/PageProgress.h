// Computes an escape-time page on a thread of its own; after a quarter second a progress dialog
// shows the rows done and offers to cancel.
#pragma once

#include "view/escape/EscapeRenderer.h"

class QWidget;

namespace morvale {

// False when the user cancelled; tally receives what was computed.
bool ComputePageWithProgress(QWidget* parent, const EscapeScene& scene,
                             const EscapeColouring& colours, const PixelSurface& surface,
                             EscapeTally& tally);

}  // namespace morvale
