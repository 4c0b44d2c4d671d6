// The whole road from a view to its zoom video in one call, as the window makes it: keyframes at
// twice the video's size into a folder, then the video from them.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "keep/ViewRecord.h"
#include "video/ZoomVideo.h"

namespace morvale {

// Keyframes are drawn this many times the video's size: every video frame then takes its
// pixels from keyframes at least as fine as itself, never from a magnified one.
inline constexpr int kKeyframeOversize = 2;

struct ZoomFlightRequest {
    ViewRecord view;  // an escape-time view, the end of the zoom
    bool deepZoom = true;
    std::string keyframeFolder;  // the caller's; it removes it
    std::string output;
    ZoomVideoOptions video;
};

enum class FlightPhase { Keyframes, Video };
using FlightProgress = std::function<void(FlightPhase phase, long done, long total)>;

// Empty, or in German why no video was made; nothing is then left under output. A set stop
// ends the run soon with "abgebrochen".
std::string MakeZoomFlight(const ZoomFlightRequest& request, const FlightProgress& progress,
                           const std::atomic<bool>* stop);

}  // namespace morvale
