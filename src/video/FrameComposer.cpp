#include "video/FrameComposer.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "video/ScaleKernel.h"

namespace morvale {
namespace {

constexpr int kTaps = 3;  // level pixels under a sample: its footprint is under two wide
constexpr std::int32_t kOne = 1 << 15;  // fades and ramps
constexpr std::size_t kVector = 64;     // entries: a whole number of vectors of any width

std::size_t Padded(int n) {
    return (std::size_t(std::max(n, 0)) + kVector - 1) / kVector * kVector + kVector;
}

double SmoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

// Where the samples of a channel lie along one axis of the frame: sample j is centred on frame
// pixel offset + j · step (pixel J on J) and covers step frame pixels.
struct Sampling {
    int samples;
    double step, offset;
    int frame;  // frame pixels
};

// How one axis of a channel samples one pyramid level: for each sample the keyframe covers,
// three neighbouring level pixels from first with the shares (of 256) of the area under the
// sample each takes, and the edge ramp.
struct Axis {
    int begin = 0, end = 0;  // samples the keyframe covers
    int low = 0, high = -1;  // level pixels with a share
    std::vector<std::int32_t> first;
    std::array<std::vector<std::int32_t>, kTaps> weight;
    std::vector<std::int32_t> ramp;  // 0 .. kOne
};

// Shares of 256 that sum to exactly 256, so flat areas stay flat.
void Quantise(const double (&share)[kTaps], Axis& a) {
    double sum = 0.0;
    int before = 0;
    for (int t = 0; t < kTaps; ++t) {
        sum += share[t];
        const int upTo = int(std::lround(sum * 256.0));
        a.weight[std::size_t(t)].push_back(upTo - before);
        before = upTo;
    }
}

// size0 keyframe pixels at level 0, sizeL at level; scale: level-0 pixels per frame pixel. Frame
// pixel J and pixel q of level 0 sample the plane at (J − frame/2) and (q − size0/2) pixels
// from the common centre.
Axis MakeAxis(const Sampling& s, int size0, int sizeL, int level, double scale) {
    Axis a;
    const double w = std::max(std::ldexp(scale * s.step, -level), 1.0);
    const double margin = (double(s.frame) - double(size0) / scale) / 2.0;
    a.begin = s.samples;
    a.low = sizeL;
    for (int j = 0; j < s.samples; ++j) {
        const double p = s.offset + j * s.step;
        const double u0 = double(size0) / 2.0 + (p - double(s.frame) / 2.0) * scale;
        if (u0 < -0.5 || u0 > double(size0) - 0.5) continue;
        a.begin = std::min(a.begin, j);
        a.end = j + 1;
        const double c = std::ldexp(u0, -level), lo = c - w / 2.0, hi = c + w / 2.0;
        const int qLow = int(std::floor(lo + 0.5)), qHigh = int(std::floor(hi + 0.5));
        const int first = std::clamp(qLow, 0, sizeL - 1);
        double share[kTaps] = {};
        // Pixels beyond the level's edge lend their share to the edge pixel.
        for (int q = qLow; q <= qHigh; ++q) {
            const double overlap = std::min(hi, q + 0.5) - std::max(lo, q - 0.5);
            if (overlap > 0.0)
                share[std::min(std::clamp(q, 0, sizeL - 1) - first, kTaps - 1)] += overlap / w;
        }
        a.first.push_back(first);
        Quantise(share, a);
        a.low = std::min(a.low, first);
        a.high = std::max(a.high, std::min(std::clamp(qHigh, 0, sizeL - 1), first + kTaps - 1));
        const double edge = std::min(u0 + 0.5, double(size0) - 0.5 - u0) / scale;
        a.ramp.push_back(
            margin <= 0.5 ? kOne : std::int32_t(std::lround(SmoothStep(edge / margin) * kOne)));
    }
    if (a.end == 0) a.begin = 0;
    return a;
}

// The horizontal axis as the column loop reads it: indices into the line from low, and
// padding that leaves the row alone.
void PrepareColumns(Axis& a, bool ramp) {
    for (std::int32_t& first : a.first) first -= a.low;
    if (!ramp) std::fill(a.ramp.begin(), a.ramp.end(), kOne);
    const std::size_t padded = Padded(a.end - a.begin);
    a.first.resize(padded, 0);
    for (auto& w : a.weight) w.resize(padded, 0);
    a.ramp.resize(padded, 0);
}

// One keyframe's part in a channel: the level it is sampled from, both axes, and its weight.
struct Layer {
    const Plane* level = nullptr;
    Axis x, y;
    std::int32_t fade = kOne;
    bool ramp = false;  // weighted towards its edges too
};

// scale: the keyframe's level-0 pixels per frame pixel.
Layer MakeLayer(const KeyframePyramid& frame, int channel, double scale, const Sampling& sx,
                const Sampling& sy, double fade, bool ramp) {
    const int level =
        std::clamp(int(std::floor(std::log2(scale * sx.step) + 1e-9)), 0, frame.Levels() - 1);
    const Plane& src = frame.Level(level, channel);
    Layer layer{&src, MakeAxis(sx, frame.Width(), src.width, level, scale),
                MakeAxis(sy, frame.Height(), src.height, level, scale),
                std::int32_t(std::lround(fade * kOne)), ramp};
    PrepareColumns(layer.x, ramp);
    return layer;
}

struct Scratch {
    std::vector<std::uint16_t> work;
    std::vector<std::uint32_t> line;
    std::vector<std::int32_t> acc;
    std::vector<std::uint8_t> bytes;
};

// Lays the layer's part of sample row y over acc.
void AddRow(const Layer& layer, int y, Scratch& s) {
    const Axis &ax = layer.x, &ay = layer.y;
    if (y < ay.begin || y >= ay.end || ax.begin >= ax.end) return;
    const std::size_t i = std::size_t(y - ay.begin);
    const std::uint8_t* rows[kTaps];
    std::uint16_t weights[kTaps];
    int taps = 0;
    for (int t = 0; t < kTaps; ++t) {
        const std::int32_t w = ay.weight[std::size_t(t)][i];
        if (w == 0) continue;
        rows[taps] = layer.level->Row(ay.first[i] + t) + ax.low;
        weights[taps++] = std::uint16_t(w);
    }
    WeighRows(rows, weights, taps, ax.high - ax.low + 1, s.work.data(), s.line.data());
    const std::int32_t rowAlpha =
        layer.ramp ? (layer.fade * ay.ramp[i] + kOne / 2) >> 15 : layer.fade;
    const ColumnTaps columns{ax.first.data(),
                             {ax.weight[0].data(), ax.weight[1].data(), ax.weight[2].data()},
                             ax.ramp.data(),
                             !layer.ramp};
    LayColumns(s.line.data(), columns, rowAlpha, ax.end - ax.begin, s.acc.data() + ax.begin);
}

// Rows [begin, end) of the layers over one channel of background into out.
void ComposeRows(const std::vector<Layer>& layers, int background, const PlaneTarget& out,
                 int begin, int end) {
    int lineCount = 0;
    for (const Layer& layer : layers)
        lineCount = std::max(lineCount, layer.x.high - layer.x.low + 1);
    Scratch s{std::vector<std::uint16_t>(Padded(lineCount + 2)),
              std::vector<std::uint32_t>(Padded(lineCount)),
              std::vector<std::int32_t>(Padded(out.width)),
              std::vector<std::uint8_t>(Padded(out.width))};
    for (int y = begin; y < end; ++y) {
        std::fill(s.acc.begin(), s.acc.end(), background * 256);
        for (const Layer& layer : layers) AddRow(layer, y, s);
        StoreChannel(s.acc.data(), out.width, s.bytes.data());
        std::uint8_t* d = out.data + out.stride * y;
        if (out.step == 1) {
            std::memcpy(d, s.bytes.data(), std::size_t(out.width));
        } else {
            for (int x = 0; x < out.width; ++x) d[x * out.step] = s.bytes[std::size_t(x)];
        }
    }
}

void ComposeChannel(const std::vector<Layer>& layers, int background, const PlaneTarget& out) {
    tbb::parallel_for(tbb::blocked_range<int>(0, out.height, 16),
                      [&](const tbb::blocked_range<int>& r) {
                          ComposeRows(layers, background, out, r.begin(), r.end());
                      });
}

// Keyframe k + 1 filling the frame, and keyframe k over its middle, for one channel.
std::vector<Layer> Layers(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                          int channel, const Sampling& sx, const Sampling& sy, int height) {
    const double grow = std::exp2(f);
    const bool blend = upper && f > 0.0;
    std::vector<Layer> layers;
    if (blend)
        layers.push_back(
            MakeLayer(*upper, channel, grow / 2.0 * upper->Height() / height, sx, sy, 1.0, false));
    layers.push_back(MakeLayer(lower, channel, grow * lower.Height() / height, sx, sy,
                               blend ? 1.0 - SmoothStep(f) : 1.0, blend));
    return layers;
}

}  // namespace

void FrameComposer::Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                            RgbImage& out) const {
    if (out.width != width_ || out.height != height_) out = RgbImage(width_, height_);
    const Sampling sx{width_, 1.0, 0.0, width_}, sy{height_, 1.0, 0.0, height_};
    for (int c = 0; c < 3; ++c)
        ComposeChannel(Layers(lower, upper, f, c, sx, sy, height_), 0,
                       {out.rgb.data() + c, std::ptrdiff_t(width_) * 3, 3, width_, height_});
}

void FrameComposer::Compose(const KeyframePyramid& lower, const KeyframePyramid* upper, double f,
                            const std::array<PlaneTarget, 3>& yuv) const {
    static constexpr int kBlack[3] = {16, 128, 128};
    const Sampling luma[2] = {{width_, 1.0, 0.0, width_}, {height_, 1.0, 0.0, height_}};
    const Sampling chroma[2] = {{(width_ + 1) / 2, 2.0, 0.0, width_},
                                {(height_ + 1) / 2, 2.0, 0.5, height_}};
    for (int c = 0; c < 3; ++c) {
        const Sampling* s = c == 0 ? luma : chroma;
        ComposeChannel(Layers(lower, upper, f, c, s[0], s[1], height_), kBlack[c],
                       yuv[std::size_t(c)]);
    }
}

}  // namespace morvale
