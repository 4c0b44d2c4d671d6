// morvale-render --keyframes: the frames of a zoom, however the work is split or resumed, and
// each frame the picture its own view draws.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "RenderProgram.h"
#include "keyframes/KeyframePlan.h"

namespace morvale::testing {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every frame of a folder by name.
std::map<std::string, std::string> Frames(const fs::path& folder) {
    std::map<std::string, std::string> frames;
    for (const auto& entry : fs::directory_iterator(folder))
        frames[entry.path().filename().string()] = Bytes(entry.path());
    return frames;
}

// A deep Mandelbrot spot, small frames: the deepest ones take the full-precision path.
constexpr const char* kZoom =
    "--centre -0.74364388703715870475,0.13182590420531197049 --height 4e-15 "
    "--depth 600 --series 1 --frame-size 48x28 --quiet ";

class KeyframeCli : public RenderProgram {
protected:
    std::string Zoom(const char* name, const std::string& more = "") {
        return kZoom + std::string("--keyframes ") + Out(name) + " " + more;
    }
};

TEST_F(KeyframeCli, SharesAndResumedRunsGiveTheFramesOfOneRun) {
    ASSERT_EQ(Run(Zoom("whole")).status, 0);
    const auto whole = Frames(folder / "whole");
    ASSERT_EQ(whole.size(), 51u);  // 4e-15 · 2^50 ≈ 4.5 is the first at least 3 tall
    EXPECT_TRUE(whole.count("frame-00000.png") && whole.count("frame-00050.png"));

    for (const char* task : {"1/3", "2/3", "3/3"})
        ASSERT_EQ(Run(Zoom("shared", std::string("--task ") + task)).status, 0);
    EXPECT_EQ(Frames(folder / "shared"), whole);

    ASSERT_EQ(Run(Zoom("ranges", "--frames 0-19")).status, 0);
    EXPECT_EQ(Frames(folder / "ranges").size(), 20u);
    ASSERT_EQ(Run(Zoom("ranges", "--frames 20-60")).status, 0);
    EXPECT_EQ(Frames(folder / "ranges"), whole);

    // A stopped run: some frames gone, one left as a stranger would; the rest is kept as it is.
    fs::remove(folder / "ranges" / "frame-00003.png");
    fs::remove(folder / "ranges" / "frame-00040.png");
    std::ofstream(folder / "ranges" / "frame-00007.png") << "kept";
    ASSERT_EQ(Run(Zoom("ranges")).status, 0);
    auto resumed = Frames(folder / "ranges");
    EXPECT_EQ(resumed["frame-00007.png"], "kept");
    resumed["frame-00007.png"] = whole.at("frame-00007.png");
    EXPECT_EQ(resumed, whole);
    // No temporary file is left beside the frames.
    EXPECT_EQ(resumed.size(), whole.size());
}

TEST_F(KeyframeCli, EachFrameIsThePictureOfItsOwnView) {
    ASSERT_EQ(Run(Zoom("frames", "--top-height 1e-9")).status, 0);
    const auto frames = Frames(folder / "frames");
    ASSERT_EQ(frames.size(), 19u);  // 4e-15 · 2^18 ≈ 1.05e-9
    for (const char* name : {"frame-00000.png", "frame-00009.png", "frame-00018.png"}) {
        const std::string again = Out("again.png");
        ASSERT_EQ(
            Run("--quiet --view " + (folder / "frames" / name).string() + " -o " + again).status,
            0);
        EXPECT_EQ(Bytes(again), frames.at(name)) << name;
    }
}

TEST_F(KeyframeCli, AWrongShareOrMixedOptionsAreRefused) {
    EXPECT_EQ(Run(Zoom("x", "--task 4/3")).status, 2);
    EXPECT_EQ(Run(Zoom("x", "--frames 5-2")).status, 2);
    EXPECT_EQ(Run(Zoom("x", "--screen 100x100")).status, 2);
    EXPECT_EQ(Run("--task 1/2 --preset 0 -o x.png").status, 2);
    EXPECT_FALSE(fs::exists(folder / "x"));
}

TEST(KeyframePlan, NamesSortInFrameOrderAndReadBack) {
    for (int k : {0, 7, 99999}) EXPECT_EQ(KeyframePlan::IndexOfName(KeyframePlan::FileName(k)), k);
    EXPECT_LT(KeyframePlan::FileName(9), KeyframePlan::FileName(10));
    for (const char* foreign : {"frame-1.png", "frame-00001.jpg", "frame--0001.png", "bild.png"})
        EXPECT_FALSE(KeyframePlan::IndexOfName(foreign)) << foreign;
}

}  // namespace
}  // namespace morvale::testing
