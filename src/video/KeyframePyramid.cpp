#include "video/KeyframePyramid.h"

#include <tbb/parallel_for.h>

#include <algorithm>

namespace morvale {
namespace {

constexpr int kMaxLevels = 6;  // keyframes up to 32 times the video's size

// Every second pixel of each row, filtered; rows stay.
RgbImage HalveRows(const RgbImage& in) {
    RgbImage out((in.width + 1) / 2, in.height);
    tbb::parallel_for(0, in.height, [&](int y) {
        const std::uint8_t* s = in.Row(y);
        std::uint8_t* d = out.Row(y);
        for (int m = 0; m < out.width; ++m) {
            const int a = std::max(2 * m - 1, 0), b = 2 * m, c = std::min(2 * m + 1, in.width - 1);
            for (int ch = 0; ch < 3; ++ch)
                d[m * 3 + ch] =
                    std::uint8_t((s[a * 3 + ch] + 2 * s[b * 3 + ch] + s[c * 3 + ch] + 2) / 4);
        }
    });
    return out;
}

// Every second row, filtered; columns stay.
RgbImage HalveColumns(const RgbImage& in) {
    RgbImage out(in.width, (in.height + 1) / 2);
    const int n = in.width * 3;
    tbb::parallel_for(0, out.height, [&](int m) {
        const std::uint8_t* a = in.Row(std::max(2 * m - 1, 0));
        const std::uint8_t* b = in.Row(2 * m);
        const std::uint8_t* c = in.Row(std::min(2 * m + 1, in.height - 1));
        std::uint8_t* d = out.Row(m);
        for (int i = 0; i < n; ++i) d[i] = std::uint8_t((a[i] + 2 * b[i] + c[i] + 2) / 4);
    });
    return out;
}

}  // namespace

KeyframePyramid::KeyframePyramid(RgbImage frame) {
    levels_.push_back(std::move(frame));
    while (Levels() < kMaxLevels && levels_.back().width > 1 && levels_.back().height > 1)
        levels_.push_back(HalveColumns(HalveRows(levels_.back())));
}

}  // namespace morvale
