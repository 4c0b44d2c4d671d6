#include "video/FrameComposer.h"

#include <tbb/blocked_range.h>
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
    a.stride = int(std::ceil(w)) + 1;
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

// One keyframe's part in a frame: the level it is sampled from, both axes, and its weight.
struct Layer {
    const RgbImage* level = nullptr;
    Axis x, y;
    float fade = 1.0f;
    bool ramp = false;  // weighted towards its edges too
};

// scale: the keyframe's level-0 pixels per frame pixel.
Layer MakeLayer(const KeyframePyramid& frame, double scale, int width, int height, double fade,
                bool ramp) {
    const int level = std::clamp(int(std::floor(std::log2(scale) + 1e-9)), 0, frame.Levels() - 1);
    const RgbImage& src = frame.Level(level);
    return {&src, MakeAxis(width, frame.Width(), src.width, level, scale),
            MakeAxis(height, frame.Height(), src.height, level, scale), float(fade), ramp};
}

// Blends the layer's part of frame row y into row; line holds the level's columns it touches.
void AddRow(const Layer& layer, int y, std::vector<float>& line, float* row) {
    const Axis &ax = layer.x, &ay = layer.y;
    if (y < ay.begin || y >= ay.end || ax.begin >= ax.end) return;
    const int i = y - ay.begin;
    const int first = ax.low * 3, count = (ax.high - ax.low + 1) * 3;
    line.assign(std::size_t(count), 0.0f);
    // Down the columns first: plain runs of bytes, which the compiler turns into vectors.
    for (int t = 0; t < ay.stride; ++t) {
        const float w = ay.weight[std::size_t(i * ay.stride + t)];
        if (w == 0.0f) continue;
        const std::uint8_t* s = layer.level->Row(ay.index[std::size_t(i * ay.stride + t)]) + first;
        for (int c = 0; c < count; ++c) line[std::size_t(c)] += w * float(s[c]);
    }
    const float rampY = layer.ramp ? ay.ramp[std::size_t(i)] : 1.0f;
    for (int j = ax.begin; j < ax.end; ++j) {
        const int k = j - ax.begin;
        const int* idx = ax.index.data() + std::size_t(k) * ax.stride;
        const float* wt = ax.weight.data() + std::size_t(k) * ax.stride;
        float sum[3] = {0.0f, 0.0f, 0.0f};
        if (ax.stride == 3) {  // the usual case, a footprint of one to two level pixels
            const float* s0 = line.data() + (idx[0] - ax.low) * 3;
            const float* s1 = line.data() + (idx[1] - ax.low) * 3;
            const float* s2 = line.data() + (idx[2] - ax.low) * 3;
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] = wt[0] * s0[ch] + wt[1] * s1[ch] + wt[2] * s2[ch];
        } else {
            for (int t = 0; t < ax.stride; ++t) {
                const float* s = line.data() + (idx[t] - ax.low) * 3;
                for (int ch = 0; ch < 3; ++ch) sum[ch] += wt[t] * s[ch];
            }
        }
        const float a = layer.fade * rampY * (layer.ramp ? ax.ramp[std::size_t(k)] : 1.0f);
        float* d = row + j * 3;
        for (int ch = 0; ch < 3; ++ch) d[ch] = d[ch] * (1.0f - a) + sum[ch] * a;
    }
}

}  // namespace

void FrameComposer::Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                            RgbImage& out) const {
    const double grow = std::exp2(f);
    const bool blend = upper && f > 0.0;
    std::vector<Layer> layers;
    if (blend)
        layers.push_back(
            MakeLayer(*upper, grow / 2.0 * upper->Height() / height_, width_, height_, 1.0, false));
    layers.push_back(MakeLayer(lower, grow * lower.Height() / height_, width_, height_,
                               blend ? 1.0 - SmoothStep(f) : 1.0, blend));
    if (out.width != width_ || out.height != height_) out = RgbImage(width_, height_);
    tbb::parallel_for(
        tbb::blocked_range<int>(0, height_, 8), [&](const tbb::blocked_range<int>& r) {
            std::vector<float> line, row(std::size_t(width_) * 3);
            for (int y = r.begin(); y < r.end(); ++y) {
                std::fill(row.begin(), row.end(), 0.0f);
                for (const Layer& layer : layers) AddRow(layer, y, line, row.data());
                std::uint8_t* d = out.Row(y);
                for (int i = 0; i < width_ * 3; ++i)
                    d[i] = std::uint8_t(std::clamp(row[std::size_t(i)] + 0.5f, 0.0f, 255.0f));
            }
        });
}

}  // namespace morvale
