// One frame of a zoom video from the two keyframes around its height. Keyframe k spans 2^k times
// the height of keyframe 0 about the same centre. A frame between k and k + 1 (fraction f) shows
// k + 1 scaled to fill it and, over the middle part k still covers, k itself, faded in by
// (1 − smoothstep f) and towards the edges of that part. At f = 0 the frame is keyframe k alone
// and the fade reaches 0 at f = 1, where keyframe k + 1 is alone: there is no jump at a hand-over.
// Scaling takes the pyramid level whose pixels are just smaller than a frame sample's and
// averages the area the sample covers, so motion stays smooth and nothing aliases.
#pragma once

#include <array>

#include "video/KeyframePyramid.h"

namespace morvale {

class FrameComposer {
public:
    FrameComposer(int width, int height) : width_(width), height_(height) {}

    // lower: keyframe k; upper: keyframe k + 1, or null when f is 0 or k is the last one.
    // f in [0, 1). RGB pyramids.
    void Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                 RgbImage& out) const;
    // The same into Y, Cb and Cr planes of 4:2:0 video from Yuv709 pyramids: Y at the frame's
    // size, Cb and Cr at half its width and height, sited with the left one of each pair of
    // columns and between each pair of rows (as H.264 assumes).
    void Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                 const std::array<PlaneTarget, 3>& yuv) const;
    // A keyframe scaled to the video size.
    void Scale(const KeyframePyramid& frame, RgbImage& out) const {
        Compose(frame, nullptr, 0.0, out);
    }

private:
    int width_, height_;
};

}  // namespace morvale
