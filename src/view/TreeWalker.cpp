#include "view/TreeWalker.h"

namespace morvale {

void TreeWalker::Grow(int segments, TreePoint root) {
    for (int arm = 0; arm < params_.branches; ++arm) {
        const TreePoint end = DrawArm(arm, segments, root);
        if (segments <= params_.minSegments) continue;
        if (const auto next = TreeNextLevel(segments, params_.redux)) Grow(*next, end);
    }
    canvas_.NodeDone();
}

TreePoint TreeWalker::DrawArm(int arm, int segments, TreePoint start) {
    double angle = TreeStartAngle(arm, params_.branches);
    // Series 7 colours by the count, so one lookup serves the whole arm.
    const auto colour =
        params_.colour ? TreeSegmentColour(params_.colourSeries, segments) : std::nullopt;
    TreePoint point = start;
    canvas_.MoveTo(point);
    for (int step = 0; step < segments; ++step) {
        const int direction =
            TreeTurnDirection(random_.Next(), params_.turnRange, params_.turnThreshold);
        angle = angle + direction * params_.turnAngle;
        point = TreeStep(angle, params_.segmentLength, point);
        if (colour) penColour_ = *colour;
        canvas_.LineTo(point, penColour_);
    }
    return point;
}

}  // namespace morvale
