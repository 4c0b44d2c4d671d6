#include "video/FrameComposer.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <cmath>

namespace morvale {
namespace {

double SmoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

// How one axis of the frame samples one pyramid level: for each frame pixel the keyframe covers,
// the level's pixels under it and the share of its area each takes, and the edge ramp.
struct Axis {
    int begin = 0, end = 0;  // frame pixels the keyframe covers
    int stride = 0;          // taps per frame pixel
    std::vector<int> index;
    std::vector<float> weight;
    std::vector<float> ramp;
    int low = 0, high = -1;  // level pixels touched
};

// out frame pixels; size0 keyframe pixels at level 0, sizeL at level; scale: level-0 pixels per
// frame pixel. Pixel j of the frame and pixel q of level 0 sample the plane at (j − out/2) and
// (q − size0/2) pixels from the common centre.
Axis MakeAxis(int out, int size0, int sizeL, int level, double scale) {
    Axis a;
    const double s = std::ldexp(scale, -level);
    const double w = std::max(s, 1.0);
    a.stride = int(std::ceil(w)) + 2;
    const double margin = (double(out) - double(size0) / scale) / 2.0;
    a.begin = out;
    a.low = sizeL;
    for (int j = 0; j < out; ++j) {
        const double u0 = double(size0) / 2.0 + (double(j) - double(out) / 2.0) * scale;
        if (u0 < -0.5 || u0 > double(size0) - 0.5) continue;
        a.begin = std::min(a.begin, j);
        a.end = j + 1;
        const double c = std::ldexp(u0, -level), lo = c - w / 2.0, hi = c + w / 2.0;
        int taken = 0;
        for (int q = int(std::floor(lo + 0.5)); q <= int(std::floor(hi + 0.5)); ++q) {
            const double overlap = std::min(hi, q + 0.5) - std::max(lo, q - 0.5);
            if (overlap <= 0.0 || taken == a.stride) continue;
            const int clamped = std::clamp(q, 0, sizeL - 1);
            a.index.push_back(clamped);
            a.weight.push_back(float(overlap / w));
            a.low = std::min(a.low, clamped);
            a.high = std::max(a.high, clamped);
            ++taken;
        }
        for (; taken < a.stride; ++taken) {
            a.index.push_back(a.index.back());
            a.weight.push_back(0.0f);
        }
        const double edge = std::min(u0 + 0.5, double(size0) - 0.5 - u0) / scale;
        a.ramp.push_back(margin <= 0.5 ? 1.0f : float(SmoothStep(edge / margin)));
    }
    if (a.end == 0) a.begin = 0;
    return a;
}

}  // namespace

FrameComposer::FrameComposer(int width, int height)
    : width_(width), height_(height), acc_(std::size_t(width) * std::size_t(height) * 3) {}

void FrameComposer::AddLayer(const KeyframePyramid& frame, double scale, double fade, bool ramp) {
    const int level = std::clamp(int(std::floor(std::log2(scale) + 1e-9)), 0, frame.Levels() - 1);
    const RgbImage& src = frame.Level(level);
    const Axis ax = MakeAxis(width_, frame.Width(), src.width, level, scale);
    const Axis ay = MakeAxis(height_, frame.Height(), src.height, level, scale);
    if (ax.begin >= ax.end || ay.begin >= ay.end) return;
    const int columns = ax.end - ax.begin, sourceRows = ay.high - ay.low + 1;
    rows_.resize(std::size_t(sourceRows) * std::size_t(columns) * 3);
    tbb::parallel_for(0, sourceRows, [&](int r) {
        const std::uint8_t* s = src.Row(ay.low + r);
        float* d = rows_.data() + std::size_t(r) * columns * 3;
        for (int j = 0; j < columns; ++j) {
            const int* idx = ax.index.data() + std::size_t(j) * ax.stride;
            const float* wt = ax.weight.data() + std::size_t(j) * ax.stride;
            float sum[3] = {0.0f, 0.0f, 0.0f};
            for (int t = 0; t < ax.stride; ++t)
                for (int ch = 0; ch < 3; ++ch) sum[ch] += wt[t] * float(s[idx[t] * 3 + ch]);
            for (int ch = 0; ch < 3; ++ch) d[j * 3 + ch] = sum[ch];
        }
    });
    const bool replace = !ramp && fade >= 1.0;
    tbb::parallel_for(ay.begin, ay.end, [&](int y) {
        const int i = y - ay.begin;
        const int* idx = ay.index.data() + std::size_t(i) * ay.stride;
        const float* wt = ay.weight.data() + std::size_t(i) * ay.stride;
        float* d = acc_.data() + (std::size_t(y) * width_ + ax.begin) * 3;
        for (int j = 0; j < columns; ++j) {
            float sum[3] = {0.0f, 0.0f, 0.0f};
            for (int t = 0; t < ay.stride; ++t) {
                const float* s = rows_.data() + (std::size_t(idx[t] - ay.low) * columns + j) * 3;
                for (int ch = 0; ch < 3; ++ch) sum[ch] += wt[t] * s[ch];
            }
            const float a =
                replace ? 1.0f
                        : float(fade) *
                              (ramp ? ax.ramp[std::size_t(j)] * ay.ramp[std::size_t(i)] : 1.0f);
            for (int ch = 0; ch < 3; ++ch)
                d[j * 3 + ch] = replace ? sum[ch] : d[j * 3 + ch] * (1.0f - a) + sum[ch] * a;
        }
    });
}

void FrameComposer::Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                            RgbImage& out) {
    std::fill(acc_.begin(), acc_.end(), 0.0f);
    const double grow = std::exp2(f);
    const bool blend = upper && f > 0.0;
    if (blend) AddLayer(*upper, grow / 2.0 * upper->Height() / height_, 1.0, false);
    AddLayer(lower, grow * lower.Height() / height_, blend ? 1.0 - SmoothStep(f) : 1.0, blend);
    if (out.width != width_ || out.height != height_) out = RgbImage(width_, height_);
    tbb::parallel_for(0, height_, [&](int y) {
        const float* s = acc_.data() + std::size_t(y) * width_ * 3;
        std::uint8_t* d = out.Row(y);
        for (int i = 0; i < width_ * 3; ++i)
            d[i] = std::uint8_t(std::clamp(s[i] + 0.5f, 0.0f, 255.0f));
    });
}

}  // namespace morvale
