#include "video/KeyframePyramid.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <new>
#include <vector>

#include "video/ScaleKernel.h"

extern "C" {
#include <libswscale/swscale.h>
}

namespace morvale {
namespace {

using Channels = std::array<Plane, 3>;

// BT.709 in the video range (Y 16..235, Cb and Cr 16..240), as the encoder takes it; once per
// keyframe, which then serves every frame of its doubling.
void ConvertToYcbcr(const RgbImage& in, Channels& out) {
    SwsContext* context =
        sws_getContext(in.width, in.height, AV_PIX_FMT_RGB24, in.width, in.height,
                       AV_PIX_FMT_YUV444P, SWS_POINT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!context) throw std::bad_alloc();
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(context, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    const std::uint8_t* source[] = {in.Row(0)};
    const int sourceStride[] = {in.width * 3};
    std::uint8_t* target[] = {out[0].Row(0), out[1].Row(0), out[2].Row(0)};
    const int targetStride[] = {int(out[0].stride), int(out[1].stride), int(out[2].stride)};
    sws_scale(context, source, sourceStride, 0, in.height, target, targetStride);
    sws_freeContext(context);
}

Channels Split(const RgbImage& in, ChannelModel model) {
    Channels out{Plane(in.width, in.height), Plane(in.width, in.height),
                 Plane(in.width, in.height)};
    if (model == ChannelModel::Yuv709) {
        ConvertToYcbcr(in, out);
        return out;
    }
    tbb::parallel_for(0, in.height, [&](int y) {
        const std::uint8_t* s = in.Row(y);
        std::uint8_t* d[3] = {out[0].Row(y), out[1].Row(y), out[2].Row(y)};
        for (int x = 0; x < in.width; ++x)
            for (int c = 0; c < 3; ++c) d[c][x] = s[x * 3 + c];
    });
    return out;
}

// Every second pixel of each row and every second row, each filtered (1/4, 1/2, 1/4), a band of
// rows at a time so that the rows halved along stay in the cache.
Plane Halve(const Plane& in) {
    Plane out((in.width + 1) / 2, (in.height + 1) / 2);
    tbb::parallel_for(
        tbb::blocked_range<int>(0, out.height, 16), [&](const tbb::blocked_range<int>& band) {
            // Input rows 2·begin − 1 .. 2·end − 1, halved along.
            const int first = std::max(2 * band.begin() - 1, 0);
            const int last = std::min(2 * band.end() - 1, in.height - 1);
            const std::ptrdiff_t stride = out.stride;
            std::vector<std::uint8_t> rows(std::size_t(stride) * std::size_t(last - first + 1));
            for (int y = first; y <= last; ++y)
                HalveRow(in.Row(y), in.width, rows.data() + stride * (y - first));
            auto row = [&](int y) {
                y = std::clamp(y, 0, in.height - 1);
                return rows.data() + stride * (y - first);
            };
            for (int m = band.begin(); m < band.end(); ++m)
                QuarterRows(row(2 * m - 1), row(2 * m), row(2 * m + 1), out.width, out.Row(m));
        });
    return out;
}

}  // namespace

KeyframePyramid::KeyframePyramid(const RgbImage& frame, ChannelModel model) : model_(model) {
    levels_.push_back(Split(frame, model));
    while (levels_.back()[0].width > 1 && levels_.back()[0].height > 1) {
        const Channels& last = levels_.back();
        levels_.push_back({Halve(last[0]), Halve(last[1]), Halve(last[2])});
    }
}

}  // namespace morvale
