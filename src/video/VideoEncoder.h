// An H.264 video in an MP4 file, fed RGB frames in order (FFmpeg's libavcodec, libavformat and
// libswscale). The file is written beside its name under a hidden temporary name and put in
// place by Finish; until then, and after any failure, the name holds nothing new.
#pragma once

#include <memory>
#include <string>

#include "video/RgbImage.h"

namespace morvale {

struct VideoFormat {
    int width = 1920;
    int height = 1080;
    int fps = 60;
    int quality = 20;  // x264's constant rate factor: 0 lossless, 51 worst
    // x264's speed preset: ultrafast, superfast, veryfast ... veryslow; faster gives larger files.
    std::string preset = "veryfast";
};

class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();  // removes the temporary file unless finished
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Empty, or the German reason the video cannot be started.
    std::string Open(const std::string& path, const VideoFormat& format);
    // The next frame, format's size; empty or why it failed.
    std::string Add(const RgbImage& frame);
    // Ends the stream and puts the file in place; empty or why it failed.
    std::string Finish();

private:
    struct Codec;
    std::unique_ptr<Codec> codec_;
};

}  // namespace morvale
