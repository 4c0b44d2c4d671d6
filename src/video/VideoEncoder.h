// An H.264 video in an MP4 file, fed frames in order (FFmpeg's libavcodec and libavformat, x264).
// Frames are written straight into the encoder's 4:2:0 picture. The file is written beside its name
// under a hidden temporary name and put in place by Finish; until then, and after any failure, the
// name holds nothing new.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "video/Plane.h"

namespace morvale {

struct VideoFormat {
    int width = 1920;
    int height = 1080;
    int fps = 60;
    int quality = 20;  // x264's constant rate factor: 0 lossless, 51 worst
    // x264's speed preset: ultrafast, superfast, veryfast ... veryslow; faster gives larger files.
    std::string preset = "superfast";
    int threads = 0;  // x264's frame threads; 0: its own choice for the machine
};

class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();  // removes the temporary file unless finished
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Empty, or the German reason the video cannot be started.
    std::string Open(const std::string& path, const VideoFormat& format);
    // The picture the next frame is drawn into: Y, Cb and Cr (BT.709, video range), Cb and Cr at
    // half the width and height, sited with the left column of each pair. Valid until Submit.
    std::array<PlaneTarget, 3> Picture();
    // Encodes the picture as the next frame; empty or why it failed.
    std::string Submit();
    // Ends the stream and puts the file in place; empty or why it failed.
    std::string Finish();

private:
    struct Codec;
    std::unique_ptr<Codec> codec_;
};

}  // namespace morvale
