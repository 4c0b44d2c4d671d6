// A keyframe as three channels (R, G, B, or BT.709 Y, Cb, Cr in the video range) and their
// smaller forms for scaling down without aliasing: level L + 1 is level L filtered by
// (1/4, 1/2, 1/4) on both axes with every second pixel kept, so that pixel m of level L samples
// the keyframe at m · 2^L, as pixel m·2^L of level 0 does. Levels go down to a pixel's width or
// height, so any scale finds one whose pixels are at most twice smaller than it needs.
#pragma once

#include <array>
#include <vector>

#include "video/Plane.h"
#include "video/RgbImage.h"

namespace morvale {

enum class ChannelModel { Rgb, Yuv709 };

class KeyframePyramid {
public:
    KeyframePyramid() = default;
    KeyframePyramid(const RgbImage& frame, ChannelModel model);

    bool Empty() const { return levels_.empty(); }
    int Levels() const { return int(levels_.size()); }
    const Plane& Level(int level, int channel) const {
        return levels_[std::size_t(level)][std::size_t(channel)];
    }
    int Width() const { return levels_.front()[0].width; }
    int Height() const { return levels_.front()[0].height; }
    ChannelModel Model() const { return model_; }

private:
    using Channels = std::array<Plane, 3>;
    std::vector<Channels> levels_;
    ChannelModel model_ = ChannelModel::Rgb;
};

}  // namespace morvale
