// Zoom videos from keyframe folders: frames at keyframe heights, hand-overs without a jump, the
// folder's checks, the video file and a cancelled run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RenderProgram.h"
#include "video/ZoomVideo.h"

namespace morvale::testing {
namespace {

namespace fs = std::filesystem;

// Mean and largest difference of two pictures' channels.
struct Difference {
    double mean = 0.0;
    int largest = 0;
};

Difference Compare(const RgbImage& a, const RgbImage& b) {
    Difference d;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) {
        const int e = std::abs(int(a.rgb[i]) - int(b.rgb[i]));
        d.mean += e;
        d.largest = std::max(d.largest, e);
    }
    d.mean /= double(a.rgb.size());
    return d;
}

class ZoomVideo : public RenderProgram {
protected:
    void SetUp() override {
        RenderProgram::SetUp();
        frames = folder / "frames";
        ASSERT_EQ(Run("--centre -0.7436438870371587,0.1318259042053119 --height 2e-7 --depth 800 "
                      "--series 2 --frame-size 96x54 --top-height 1e-4 --quiet --keyframes " +
                      frames.string())
                      .status,
                  0);
    }
    KeyframeFolder Scan(const fs::path& at) {
        std::string error;
        KeyframeFolder scanned = ScanKeyframes(at.string(), error);
        EXPECT_EQ(error, "");
        return scanned;
    }
    std::string Problem(const fs::path& at) {
        std::string error;
        ScanKeyframes(at.string(), error);
        return error;
    }
    RgbImage At(const KeyframeFolder& f, double t, int width, int height) {
        std::string error;
        RgbImage image = ComposeVideoFrame(f, t, width, height, error);
        EXPECT_EQ(error, "");
        return image;
    }
    fs::path frames;
};

TEST_F(ZoomVideo, AFrameAtAKeyframesHeightIsThatKeyframe) {
    const KeyframeFolder f = Scan(frames);
    ASSERT_EQ(f.paths.size(), 10u);  // 2e-7 · 2^9 ≈ 1.02e-4
    for (int k : {0, 4, 9}) {
        std::string error;
        const RgbImage keyframe = ReadPngRgb(f.paths[std::size_t(k)], error);
        EXPECT_EQ(At(f, k, 96, 54).rgb, keyframe.rgb) << k;
    }
}

TEST_F(ZoomVideo, KeyframesHandOverWithoutAJump) {
    const KeyframeFolder f = Scan(frames);
    for (double k : {1.0, 5.0, 8.0}) {
        // Twice the video's size in the keyframes, as by default.
        const RgbImage at = At(f, k, 48, 28);
        const Difference before = Compare(At(f, k - 1e-3, 48, 28), at);
        const Difference after = Compare(At(f, k + 1e-3, 48, 28), at);
        EXPECT_LT(before.mean, 0.5) << k;
        EXPECT_LT(after.mean, 0.5) << k;
        // Halfway the picture has moved: the comparison can see a change.
        EXPECT_GT(Compare(At(f, k - 0.5, 48, 28), at).mean, 1.0) << k;
    }
}

TEST_F(ZoomVideo, MissingForeignAndBrokenFramesAreNamed) {
    fs::copy(frames, folder / "gap");
    fs::remove(folder / "gap" / "frame-00003.png");
    EXPECT_NE(Problem(folder / "gap").find("fehlt das Schlüsselbild frame-00003.png"),
              std::string::npos);

    fs::copy(frames, folder / "foreign");
    ASSERT_EQ(Run("--preset 1 --frame-size 96x54 --frames 0-0 --quiet --keyframes " + Out("other"))
                  .status,
              0);
    fs::copy_file(folder / "other" / "frame-00000.png", folder / "foreign" / "frame-00005.png",
                  fs::copy_options::overwrite_existing);
    EXPECT_NE(Problem(folder / "foreign").find("frame-00005.png“ gehört nicht zu dieser Zoomfahrt"),
              std::string::npos);

    fs::copy(frames, folder / "broken");
    std::ofstream(folder / "broken" / "frame-00002.png", std::ios::trunc) << "kein Bild";
    EXPECT_NE(Problem(folder / "broken").find("frame-00002.png“ gehört nicht zu einer Zoomfahrt"),
              std::string::npos);

    EXPECT_NE(Problem(folder / "nirgends").find("existiert nicht"), std::string::npos);
}

TEST_F(ZoomVideo, TheVideoHasItsFramesAndACancelLeavesNoFile) {
    const KeyframeFolder f = Scan(frames);
    ZoomVideoOptions o;
    o.format = {48, 28, 10, 30};
    o.secondsPerDoubling = 0.5;
    const fs::path video = folder / "zoom.mp4";
    ASSERT_EQ(MakeZoomVideo(f, video.string(), o), "");
    const std::string probe =
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=codec_name,nb_read_frames -of csv=p=0 " +
        video.string() + " > " + Out("probe.txt");
    ASSERT_EQ(std::system(probe.c_str()), 0);
    std::ifstream in(Out("probe.txt"));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "h264,45");  // 9 doublings of 5 frames

    const fs::path cancelled = folder / "cancelled.mp4";
    std::atomic<bool> stop = false;
    EXPECT_EQ(MakeZoomVideo(
                  f, cancelled.string(), o, [&stop](long done, long) { stop = done == 7; }, &stop),
              "abgebrochen");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().string().find("cancelled"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace morvale::testing
