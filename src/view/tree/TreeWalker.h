// Grows the branching tree: every node draws its arms as random walks and, depth first, a smaller
// copy of itself at the end of each arm. Draws through a canvas so that a device, a counter or a
// recorder can take the segments.
#pragma once

#include <optional>
#include <vector>

#include "platform/Colour.h"
#include "view/tree/SineCosineCache.h"
#include "view/tree/TreeGeometry.h"
#include "view/tree/TreeRandom.h"

namespace morvale {

class TreeCanvas {
public:
    virtual ~TreeCanvas() = default;
    virtual void MoveTo(TreePoint point) = 0;
    // A line from the current point to `to` in `colour`; `to` becomes the current point.
    virtual void LineTo(TreePoint to, COLORREF colour) = 0;
    // One node and all its sub-trees are complete.
    virtual void NodeDone() = 0;
    // Asked before every arm and segment: true ends the drawing there.
    virtual bool Stopped() { return false; }
};

// The parameters of one drawing; they do not change while it runs.
struct TreeParams {
    int branches = 7;
    int redux = 3;
    int turnRange = 100;
    int turnThreshold = 30;
    int minSegments = 1;
    int colourSeries = 7;
    bool colour = true;
    double turnAngle = 0.1;      // radians per segment
    double segmentLength = 3.0;  // pixels
};

class TreeWalker {
public:
    // penColour is the view's pen colour: set before each segment while colouring is on.
    TreeWalker(const TreeParams& params, TreeRandom& random, COLORREF& penColour,
               TreeCanvas& canvas);

    // The node at `root` with `segments` per arm and all its sub-trees. The recursion is at most
    // about 32 levels deep, because every level that grows a sub-tree has a smaller count.
    void Grow(int segments, TreePoint root);

private:
    double StartAngle(int arm) const;
    TreePoint DrawArm(int arm, int segments, std::optional<COLORREF> colour, TreePoint start);

    const TreeParams params_;
    TreeRandom& random_;
    COLORREF& penColour_;
    TreeCanvas& canvas_;
    std::vector<double> startAngles_;  // the same for every node; empty for absurd arm counts
    SineCosineCache trig_;
};

}  // namespace morvale
