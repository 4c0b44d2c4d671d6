// One keyframe as a PNG with its own view, drawn through the document and view as a single
// picture of that view is: morvale-render --keyframes and the window's zoom video share it.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "keyframes/KeyframePlan.h"
#include "png/PngBands.h"
#include "render/escape/EscapeTally.h"

namespace morvale {

// What every frame of a plan shares besides its region.
struct KeyframeLook {
    std::string depthText;          // as the database dialog takes it
    std::optional<int> typedDepth;  // typed into the depth box after it
    int series = 7;
    bool deepZoom = true;
};

struct KeyframeWriting {
    bool written = false;  // false: the sink refused bytes or stop was set
    EscapeTally tally;
    double referenceSeconds = 0.0;  // the full-precision reference's share, deep frames only
};

KeyframeWriting WriteKeyframe(const KeyframePlan& plan, int k, const KeyframeLook& look,
                              const ByteSink& sink, const RowsWritten& progress = nullptr,
                              const std::atomic<bool>* stop = nullptr);

}  // namespace morvale
