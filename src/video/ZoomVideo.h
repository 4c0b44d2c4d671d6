// A zoom video from a keyframe folder: frame after frame composed from the two keyframes around
// its height and handed to the encoder, with only those keyframes in memory.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "video/KeyframeFolder.h"
#include "video/RgbImage.h"
#include "video/VideoEncoder.h"

namespace morvale {

struct ZoomVideoOptions {
    VideoFormat format;
    double secondsPerDoubling = 1.0;
    bool zoomOut = false;  // from the view out to the whole set; default: in to the view
};

// Video frames per doubling of the height.
int FramesPerDoubling(const ZoomVideoOptions& options);
// (keyframes − 1) doublings.
long VideoFrameCount(int keyframes, const ZoomVideoOptions& options);
// The height of video frame i as t: 2^t times keyframe 0's.
double FrameHeightExponent(long i, int keyframes, const ZoomVideoOptions& options);

using VideoProgress = std::function<void(long done, long total)>;

// Empty, or in German why no video was made (nothing is then left under output). stop, when set,
// ends the run with the text "abgebrochen".
std::string MakeZoomVideo(const KeyframeFolder& frames, const std::string& output,
                          const ZoomVideoOptions& options, const VideoProgress& progress = {},
                          const std::atomic<bool>* stop = nullptr);

// The video frame at height exponent t from the folder's keyframes, for looking at it.
RgbImage ComposeVideoFrame(const KeyframeFolder& frames, double t, int width, int height,
                           std::string& error);

}  // namespace morvale
