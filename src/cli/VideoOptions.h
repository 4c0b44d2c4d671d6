// Command line of morvale-video: the keyframe folder, the video file and how the zoom moves.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "video/ZoomVideo.h"

namespace morvale {

struct VideoOptions {
    std::string folder;
    std::string output;
    ZoomVideoOptions video;
    std::optional<double> still;  // write the frame at this height exponent as a PNG instead
    bool quiet = false;
    bool help = false;
};

struct ParsedVideoOptions {
    VideoOptions options;
    std::string error;  // one German line; empty when the line is sound
};

ParsedVideoOptions ParseVideoOptions(std::span<const std::string> args);
std::string VideoHelpText();

}  // namespace morvale
