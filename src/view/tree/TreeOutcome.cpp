#include "view/tree/TreeOutcome.h"

#include <algorithm>

namespace morvale {

TreeOutcome PredictTree(const TreeParams& params, int segments) {
    TreeOutcome outcome;
    if (params.branches <= 0) return outcome;
    const auto arms = std::uint32_t(params.branches);
    double nodes = 1.0;
    std::uint32_t nodesLow = 1;
    for (int count = segments;;) {
        if (count > 0) {
            outcome.segments += nodes * params.branches * count;
            outcome.draws += nodesLow * arms * std::uint32_t(count);
            // Deeper levels are drawn after the arm that carries them: the last level drawing
            // anything draws the last segment.
            if (params.colour) {
                if (const auto colour = TreeSegmentColour(params.colourSeries, count))
                    outcome.pen = colour;
            }
        }
        if (count <= params.minSegments) break;
        const std::optional<int> next = TreeNextLevel(count, params.redux);
        if (!next) break;
        count = *next;
        nodes *= params.branches;
        nodesLow *= arms;
    }
    return outcome;
}

}  // namespace morvale
