// The escape-time drawing in its plain form, kept as the definition every faster path must match:
// every sample of the device, column by column, one pixel at a time through the device context.
#pragma once

#include <cstdint>

#include "platform/CDC.h"

namespace morvale {

class CFractalView;

// Sample rows the loop visits: first, first + step, ... below the device height. The drawing
// itself visits all of them; benchmarks thin them out.
struct ReferenceRows {
    int first = 0;
    int step = 1;
};

// Draws the view's escape-time picture the plain way, including preparation and the reset at the
// end. Returns the iterations run.
std::int64_t DrawEscapeTimeReference(CFractalView& view, CDC* dc, ReferenceRows rows = {});

}  // namespace morvale
