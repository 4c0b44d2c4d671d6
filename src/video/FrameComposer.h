// One frame of a zoom video from the two keyframes around its height. Keyframe k spans 2^k times
// the height of keyframe 0 about the same centre. A frame between k and k + 1 (fraction f) shows
// k + 1 scaled to fill it and, over the middle part k still covers, k itself, faded in by
// (1 − smoothstep f) and towards the edges of that part. At f = 0 the frame is keyframe k alone
// and the fade reaches 0 at f = 1, where keyframe k + 1 is alone: there is no jump at a hand-over.
// Scaling takes the pyramid level whose pixels are just smaller than the frame's and averages the
// area each frame pixel covers, so motion stays smooth and nothing aliases.
#pragma once

#include <vector>

#include "video/KeyframePyramid.h"

namespace morvale {

class FrameComposer {
public:
    FrameComposer(int width, int height);

    // lower: keyframe k; upper: keyframe k + 1, or null when f is 0 or k is the last one.
    // f in [0, 1).
    void Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                 RgbImage& out);
    // A keyframe scaled to the video size, centre on centre.
    void Scale(const KeyframePyramid& frame, RgbImage& out) { Compose(frame, nullptr, 0.0, out); }

private:
    // The layer of keyframe frame at scale (its level-0 pixels per frame pixel), blended into
    // acc_ with weight fade times the edge ramp; fade 1 without edge ramp replaces.
    void AddLayer(const KeyframePyramid& frame, double scale, double fade, bool ramp);

    int width_, height_;
    std::vector<float> acc_;   // width_ · height_ · 3
    std::vector<float> rows_;  // horizontally scaled source rows
};

}  // namespace morvale
