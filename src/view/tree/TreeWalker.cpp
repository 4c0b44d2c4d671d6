#include "view/tree/TreeWalker.h"

namespace morvale {
namespace {

constexpr int kMaxStoredAngles = 1 << 16;

}  // namespace

TreeWalker::TreeWalker(const TreeParams& params, TreeRandom& random, COLORREF& penColour,
                       TreeCanvas& canvas)
    : params_(params), random_(random), penColour_(penColour), canvas_(canvas) {
    if (params_.branches <= 0 || params_.branches > kMaxStoredAngles) return;
    startAngles_.reserve(std::size_t(params_.branches));
    for (int arm = 0; arm < params_.branches; ++arm)
        startAngles_.push_back(TreeStartAngle(arm, params_.branches));
}

void TreeWalker::Grow(int segments, TreePoint root) {
    // Series 7 colours by the count, which all arms of a node share.
    const auto colour =
        params_.colour ? TreeSegmentColour(params_.colourSeries, segments) : std::nullopt;
    for (int arm = 0; arm < params_.branches && !canvas_.Stopped(); ++arm) {
        const TreePoint end = DrawArm(arm, segments, colour, root);
        if (segments <= params_.minSegments) continue;
        if (const auto next = TreeNextLevel(segments, params_.redux)) Grow(*next, end);
    }
    canvas_.NodeDone();
}

double TreeWalker::StartAngle(int arm) const {
    return startAngles_.empty() ? TreeStartAngle(arm, params_.branches)
                                : startAngles_[std::size_t(arm)];
}

TreePoint TreeWalker::DrawArm(int arm, int segments, std::optional<COLORREF> colour,
                              TreePoint start) {
    double angle = StartAngle(arm);
    TreePoint point = start;
    canvas_.MoveTo(point);
    for (int step = 0; step < segments && !canvas_.Stopped(); ++step) {
        const int direction =
            TreeTurnDirection(random_.Next(), params_.turnRange, params_.turnThreshold);
        angle = angle + direction * params_.turnAngle;
        const SineCosineCache::Pair trig = trig_.Get(angle);
        point = TreeStep(trig.sine, trig.cosine, params_.segmentLength, point);
        if (colour) penColour_ = *colour;
        canvas_.LineTo(point, penColour_);
    }
    return point;
}

}  // namespace morvale
