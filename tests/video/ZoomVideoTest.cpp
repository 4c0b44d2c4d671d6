// Zoom videos from keyframe folders: frames at keyframe heights, hand-overs without a jump, the
// folder's checks, the video file and a cancelled run.
#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RenderProgram.h"
#include "video/FrameComposer.h"
#include "video/KeyframePyramid.h"
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
    for (std::size_t i = 0; i < a.Bytes(); ++i) {
        const int e = std::abs(int(a.rgb[i]) - int(b.rgb[i]));
        d.mean += e;
        d.largest = std::max(d.largest, e);
    }
    d.mean /= double(a.Bytes());
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

// The video's planes between two keyframes: Y as the RGB still's luma (BT.709, video range), Cb
// and Cr from the pixels each sample covers (the left column of a pair, both rows), and the same
// bytes from every instruction set the machine has.
TEST_F(ZoomVideo, VideoPlanesAreTheStillInBt709OnEveryInstructionSet) {
    const KeyframeFolder f = Scan(frames);
    std::string error;
    const RgbImage k4 = ReadPngRgb(f.paths[4], error), k5 = ReadPngRgb(f.paths[5], error);
    const int w = 48, h = 28;
    RgbImage still;
    const KeyframePyramid lowerRgb(k4, ChannelModel::Rgb), upperRgb(k5, ChannelModel::Rgb);
    FrameComposer(w, h).Compose(lowerRgb, &upperRgb, 0.4, still);
    const KeyframePyramid lower(k4, ChannelModel::Yuv709), upper(k5, ChannelModel::Yuv709);
    auto planes = [&] {
        std::array<Plane, 3> p{Plane(w, h), Plane(w / 2, h / 2), Plane(w / 2, h / 2)};
        std::array<PlaneTarget, 3> to;
        for (std::size_t c = 0; c < 3; ++c)
            to[c] = {p[c].bytes.data(), p[c].stride, 1, p[c].width, p[c].height};
        FrameComposer(w, h).Compose(lower, &upper, 0.4, to);
        return p;
    };
    const std::array<Plane, 3> yuv = planes();
    // (Y, Cb, Cr) of the still's pixel (x, y), clamped to the frame.
    auto expected = [&](int x, int y, int c) {
        static constexpr double kRow[3][3] = {
            {0.2126, 0.7152, 0.0722}, {-0.1146, -0.3854, 0.5}, {0.5, -0.4542, -0.0458}};
        const std::uint8_t* p = still.Row(std::clamp(y, 0, h - 1)) + std::clamp(x, 0, w - 1) * 3;
        const double v = kRow[c][0] * p[0] + kRow[c][1] * p[1] + kRow[c][2] * p[2];
        return c == 0 ? 16.0 + v * 219.0 / 255.0 : 128.0 + v * 224.0 / 255.0;
    };
    double chromaError = 0.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            EXPECT_NEAR(yuv[0].Row(y)[x], expected(x, y, 0), 1.5) << x << "," << y;
            if (x % 2 || y % 2) continue;
            for (int c = 1; c < 3; ++c) {
                double mean = 0.0;
                for (int dy = 0; dy < 2; ++dy)
                    mean += (expected(x - 1, y + dy, c) + 2 * expected(x, y + dy, c) +
                             expected(x + 1, y + dy, c)) /
                            8.0;
                chromaError += std::abs(yuv[c].Row(y / 2)[x / 2] - mean);
            }
        }
    EXPECT_LT(chromaError / (w * h / 2), 2.5);  // a sample one pixel off: about 4
    for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        hwy::GetChosenTarget().Update(hwy::SupportedTargets());
        const std::array<Plane, 3> again = planes();
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(again[c].bytes, yuv[c].bytes) << hwy::TargetName(target);
    }
    hwy::SetSupportedTargetsForTest(0);
    hwy::GetChosenTarget().Update(hwy::SupportedTargets());
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

// Each level is the one before filtered (1/4, 1/2, 1/4) along both axes, every second pixel
// kept, the edge pixel standing in beyond the edge; odd sizes and every instruction set.
TEST(KeyframePyramid, LevelsHalveTheLevelBeforeOnEveryInstructionSet) {
    RgbImage image(133, 37);
    std::srand(7);
    for (std::size_t i = 0; i < image.Bytes(); ++i) image.rgb[i] = std::uint8_t(std::rand());
    for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        hwy::GetChosenTarget().Update(hwy::SupportedTargets());
        const KeyframePyramid pyramid(image, ChannelModel::Rgb);
        for (int level = 1; level < pyramid.Levels(); ++level) {
            const Plane &in = pyramid.Level(level - 1, 1), &out = pyramid.Level(level, 1);
            ASSERT_EQ(out.width, (in.width + 1) / 2);
            ASSERT_EQ(out.height, (in.height + 1) / 2);
            auto at = [&](int x, int y) {
                return int(in.Row(std::clamp(y, 0, in.height - 1))[std::clamp(x, 0, in.width - 1)]);
            };
            auto row = [&](int x, int y) {
                return (at(2 * x - 1, y) + 2 * at(2 * x, y) + at(2 * x + 1, y) + 2) / 4;
            };
            for (int y = 0; y < out.height; ++y)
                for (int x = 0; x < out.width; ++x)
                    ASSERT_EQ(out.Row(y)[x],
                              (row(x, 2 * y - 1) + 2 * row(x, 2 * y) + row(x, 2 * y + 1) + 2) / 4)
                        << hwy::TargetName(target) << " level " << level << " " << x << "," << y;
        }
    }
    hwy::SetSupportedTargetsForTest(0);
    hwy::GetChosenTarget().Update(hwy::SupportedTargets());
}

}  // namespace
}  // namespace morvale::testing
