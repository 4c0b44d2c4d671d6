// A canvas that keeps every node, arm and segment the tree walker produces.
#pragma once

#include <vector>

#include "view/tree/TreeWalker.h"

namespace morvale::testing {

struct RecordedArm {
    TreePoint start;
    std::vector<TreePoint> ends;  // end point of each segment
    std::vector<COLORREF> colours;
};

class TreeRecorder : public TreeCanvas {
public:
    void MoveTo(TreePoint point) override { arms.push_back({point, {}, {}}); }
    void LineTo(TreePoint to, COLORREF colour) override {
        arms.back().ends.push_back(to);
        arms.back().colours.push_back(colour);
        ++segments;
    }
    void NodeDone() override { ++nodes; }

    long long nodes = 0;
    long long segments = 0;
    std::vector<RecordedArm> arms;
};

// Grows one tree from a fresh generator and returns what was drawn.
inline TreeRecorder RecordTree(const TreeParams& params, int segments, TreePoint root = {320, 240},
                               COLORREF penColour = 0) {
    TreeRecorder recorder;
    TreeRandom random;
    TreeWalker(params, random, penColour, recorder).Grow(segments, root);
    return recorder;
}

}  // namespace morvale::testing
