// The keyframes of a zoom: frame k shows the start view's centre at 2^k times its visible height,
// up to the first frame as tall as the top. Each frame is a view of its own, given as the texts
// the database dialog takes, and is drawn like any single picture of that view.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plane/BigFloat.h"
#include "platform/PictureSize.h"

namespace morvale {

// Where a zoom ends: the centre, the visible height at the deepest frame, the Julia constant.
struct ZoomTarget {
    bool julia = false;
    std::string centreRe, centreIm;
    std::string height;  // visible plane height of frame 0
    std::string p = "0", q = "0";
};

// The target a region shows: its visible part on a device of that size, texts xMin, xMax, yMin,
// yMax, p, q as the document reads them.
ZoomTarget TargetOfRegion(bool julia, const std::array<std::string, 6>& texts, PictureSize device,
                          PictureSize client);

// The visible height of the kind's first preset, the whole set.
std::string WholeSetHeight(bool julia);

class KeyframePlan {
public:
    // frame: the visible picture of every keyframe; top: a plane height, empty for the whole set.
    KeyframePlan(ZoomTarget target, PictureSize frame, const std::string& top = {});

    int Count() const { return count_; }
    const ZoomTarget& Target() const { return target_; }
    // The device a frame is computed for (hidden rows above the picture) and the picture itself.
    PictureSize Device() const;
    PictureSize Frame() const { return frame_; }
    std::string HeightText(int k) const;
    // xMin, xMax, yMin, yMax of frame k on Device(), then p and q for Julia.
    std::vector<std::string> RegionTexts(int k) const;

    // Names sort in frame order: frame-00000.png, frame-00001.png, ...
    static std::string FileName(int k);
    static std::optional<int> IndexOfName(std::string_view name);

private:
    ZoomTarget target_;
    PictureSize frame_;
    BigFloat height_;  // frame 0's
    int count_ = 1;
};

// Which frames one run draws: a range and the k with k mod tasks == task - 1.
struct FrameShare {
    int first = 0;
    int last = -1;  // -1: up to the last frame
    int task = 1;   // 1 .. tasks
    int tasks = 1;
    bool Takes(int k) const {
        return k >= first && (last < 0 || k <= last) && k % tasks == task - 1;
    }
};

}  // namespace morvale
