// A keyframe and its smaller forms for scaling it down without aliasing: level L + 1 is level L
// filtered by (1/4, 1/2, 1/4) on both axes with every second pixel kept, so that pixel m of level
// L samples the keyframe at m · 2^L, as pixel m·2^L of level 0 does.
#pragma once

#include <vector>

#include "video/RgbImage.h"

namespace morvale {

class KeyframePyramid {
public:
    KeyframePyramid() = default;
    explicit KeyframePyramid(RgbImage frame);

    bool Empty() const { return levels_.empty(); }
    int Levels() const { return int(levels_.size()); }
    const RgbImage& Level(int level) const { return levels_[std::size_t(level)]; }
    int Width() const { return levels_.front().width; }
    int Height() const { return levels_.front().height; }

private:
    std::vector<RgbImage> levels_;
};

}  // namespace morvale
