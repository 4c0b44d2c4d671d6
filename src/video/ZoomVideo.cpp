#include "video/ZoomVideo.h"

#include <cmath>
#include <map>
#include <memory>

#include "video/FrameComposer.h"

namespace morvale {
namespace {

// The keyframes a run needs now, k and k + 1; the others are let go, so memory holds two.
class KeyframeCache {
public:
    KeyframeCache(const KeyframeFolder& frames, ChannelModel model)
        : frames_(frames), model_(model) {}

    // Keyframe k and, when upper, k + 1; error set (and nulls) when one cannot be read.
    std::pair<const KeyframePyramid*, const KeyframePyramid*> Get(int k, bool upper,
                                                                  std::string& error) {
        for (auto it = held_.begin(); it != held_.end();)
            it = it->first == k || (upper && it->first == k + 1) ? std::next(it) : held_.erase(it);
        const KeyframePyramid* lower = Load(k, error);
        const KeyframePyramid* next = upper && lower ? Load(k + 1, error) : nullptr;
        return {lower, next};
    }

private:
    const KeyframePyramid* Load(int k, std::string& error) {
        if (auto it = held_.find(k); it != held_.end()) return it->second.get();
        const std::string& path = frames_.paths[std::size_t(k)];
        RgbImage image = ReadPngRgb(path, error);
        if (!error.empty()) {
            error = "Das Schlüsselbild „" + path + "“ lässt sich nicht lesen: " + error + ".";
            return nullptr;
        }
        auto pyramid = std::make_unique<KeyframePyramid>(image, model_);
        return held_.emplace(k, std::move(pyramid)).first->second.get();
    }

    const KeyframeFolder& frames_;
    ChannelModel model_;
    std::map<int, std::unique_ptr<KeyframePyramid>> held_;
};

// Composes the frame at t into out (an RgbImage or the encoder's planes); empty or why not.
template <typename Out>
std::string ComposeAt(KeyframeCache& cache, const FrameComposer& composer, int keyframes, double t,
                      Out& out) {
    int k = int(std::floor(t));
    double f = t - k;
    if (k >= keyframes - 1) k = keyframes - 1, f = 0.0;
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
