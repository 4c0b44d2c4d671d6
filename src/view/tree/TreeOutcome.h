// What a complete tree will have done, known before it is drawn: how many segments (and so random
// numbers) it takes and the pen colour it leaves. A drawing that is stopped early can thus leave
// the generator and the pen exactly as the whole tree would (docs/drawing.md).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Colour.h"
#include "view/tree/TreeWalker.h"

namespace morvale {

struct TreeOutcome {
    double segments = 0.0;        // exact up to 2^53, then close
    std::uint32_t draws = 0;      // the same count modulo 2^32: the generator's advance
    std::optional<COLORREF> pen;  // the colour of the last segment, when the walker sets one
};

// Counted level by level: every node of a level has the same arms, so no walk is needed.
TreeOutcome PredictTree(const TreeParams& params, int segments);

}  // namespace morvale
