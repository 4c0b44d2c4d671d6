#include "video/ZoomVideo.h"

#include <array>
#include <cmath>
#include <future>
#include <map>
#include <memory>

#include "video/FrameComposer.h"

namespace morvale {
namespace {

// Where height exponent t lies among the keyframes: keyframe k and the fraction f of the way
// to k + 1 (0 at and beyond the last).
std::pair<int, double> Between(double t, int keyframes) {
    const int k = int(std::floor(t));
    if (k >= keyframes - 1) return {keyframes - 1, 0.0};
    return {k, t - k};
}

// The keyframes a run needs now, k and k + 1, and those it will need next, read meanwhile on a
// thread of their own so that the frames do not wait for them; the others are let go, so
// memory holds three at most.
class KeyframeCache {
public:
    KeyframeCache(const KeyframeFolder& frames, ChannelModel model)
        : frames_(frames), model_(model) {}

    // Keyframe k and, when upper, k + 1; error set (and nulls) when one cannot be read.
    std::pair<const KeyframePyramid*, const KeyframePyramid*> Get(int k, bool upper,
                                                                  std::string& error) {
        for (auto it = held_.begin(); it != held_.end();) {
            const int held = it->first;
            const bool keep =
                held == k || (upper && held == k + 1) || held == ahead_[0] || held == ahead_[1];
            it = keep ? std::next(it) : held_.erase(it);
        }
        // Both at once: the first frame waits for two keyframes.
        Start(k);
        if (upper) Start(k + 1);
        const KeyframePyramid* lower = Take(k, error);
        const KeyframePyramid* next = upper && lower ? Take(k + 1, error) : nullptr;
        return {lower, next};
    }

    // Starts reading keyframe k and, when upper, k + 1 for a later Get.
    void Prefetch(int k, bool upper) {
        ahead_ = {k, upper ? k + 1 : k};
        for (int a : ahead_) Start(a);
    }

private:
    struct Loaded {
        std::unique_ptr<KeyframePyramid> pyramid;
        std::string error;
    };

    Loaded Read(int k) const {
        const std::string& path = frames_.paths[std::size_t(k)];
        std::string error;
        RgbImage image = ReadPngRgb(path, error);
        if (!error.empty())
            return {nullptr,
                    "Das Schlüsselbild „" + path + "“ lässt sich nicht lesen: " + error + "."};
        return {std::make_unique<KeyframePyramid>(image, model_), {}};
    }

    void Start(int k) {
        if (!held_.count(k))
            held_.emplace(k, std::async(std::launch::async, [this, k] { return Read(k); }));
    }

    const KeyframePyramid* Take(int k, std::string& error) {
        const Loaded& loaded = held_.at(k).get();
        error = loaded.error;
        return loaded.pyramid.get();
    }

    const KeyframeFolder& frames_;
    ChannelModel model_;
    std::map<int, std::shared_future<Loaded>> held_;
    std::array<int, 2> ahead_ = {-1, -1};
};

// Composes the frame at t into out (an RgbImage or the encoder's planes); empty or why not.
template <typename Out>
std::string ComposeAt(KeyframeCache& cache, const FrameComposer& composer, int keyframes, double t,
                      Out& out) {
    const auto [k, f] = Between(t, keyframes);
    std::string error;
    const auto [lower, upper] = cache.Get(k, f > 0.0, error);
    if (!error.empty()) return error;
    composer.Compose(*lower, upper, f, out);
    return {};
}

}  // namespace

int FramesPerDoubling(const ZoomVideoOptions& o) {
    return std::max(1, int(std::lround(o.secondsPerDoubling * o.format.fps)));
}

long VideoFrameCount(int keyframes, const ZoomVideoOptions& o) {
    return long(std::max(0, keyframes - 1)) * FramesPerDoubling(o);
}

double FrameHeightExponent(long i, int keyframes, const ZoomVideoOptions& o) {
    // Zooming in is zooming out played backwards: both show the view itself, at t = 0.
    const long step = o.zoomOut ? i : VideoFrameCount(keyframes, o) - 1 - i;
    return double(step) / FramesPerDoubling(o);
}

std::string MakeZoomVideo(const KeyframeFolder& frames, const std::string& output,
                          const ZoomVideoOptions& o, const VideoProgress& progress,
                          const std::atomic<bool>* stop) {
    const int keyframes = int(frames.paths.size());
    const long total = VideoFrameCount(keyframes, o);
    VideoEncoder encoder;
    if (std::string error = encoder.Open(output, o.format); !error.empty()) return error;
    KeyframeCache cache(frames, ChannelModel::Yuv709);
    FrameComposer composer(o.format.width, o.format.height);
    for (long i = 0; i < total; ++i) {
        if (stop && stop->load()) return "abgebrochen";
        const double t = FrameHeightExponent(i, keyframes, o);
        std::array<PlaneTarget, 3> picture = encoder.Picture();
        if (std::string error = ComposeAt(cache, composer, keyframes, t, picture); !error.empty())
            return error;
        // After the frame, so that the first one does not share the cores with a later keyframe.
        if (const long ahead = i + FramesPerDoubling(o); ahead < total) {
            const auto [k, f] = Between(FrameHeightExponent(ahead, keyframes, o), keyframes);
            cache.Prefetch(k, f > 0.0);
        }
        if (std::string error = encoder.Submit(); !error.empty()) return error;
        if (progress) progress(i + 1, total);
    }
    return encoder.Finish();
}

RgbImage ComposeVideoFrame(const KeyframeFolder& frames, double t, int width, int height,
                           std::string& error) {
    KeyframeCache cache(frames, ChannelModel::Rgb);
    FrameComposer composer(width, height);
    RgbImage image(width, height);
    error = ComposeAt(cache, composer, int(frames.paths.size()), t, image);
    return image;
}

}  // namespace morvale
