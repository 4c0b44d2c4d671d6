#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PngFile.h"
#include "RenderProgram.h"
#include "cli/RenderOptions.h"
#include "cli/TreeRequest.h"
#include "view/HeadlessWindow.h"

namespace morvale {
namespace {

constexpr auto Parse = &testing::ParseWithOutput;

PixelImage DrawTree(const TreeRequest& request, int series = 7, PictureSize window = {700, 560}) {
    HeadlessWindow road({1920, 1080}, window);
    ReplayTree(request, series, road);
    return road.Image();
}

bool HasColour(const PixelImage& image, Pixel colour) {
    for (Pixel p : image.Pixels())
        if (p == colour) return true;
    return false;
}

TEST(TreeCommandLine, ReadsEveryToolbarParameter) {
    const ParsedOptions parsed =
        Parse({"--tree", "--branches", "5", "--segment-offset=-20", "--length", "2.5", "--turn",
               "-0.2", "--redux", "0", "--colour", "off", "--paints", "3", "--series", "4"});
    ASSERT_EQ(parsed.error, "");
    const TreeRequest& t = parsed.options.tree;
    EXPECT_TRUE(t.on);
    EXPECT_EQ(t.branches, 5);
    EXPECT_EQ(t.segmentOffset, -20);
    EXPECT_EQ(t.length, 2.5);
    EXPECT_EQ(t.turn, -0.2);
    EXPECT_EQ(t.redux, 0);
    EXPECT_EQ(t.colour, false);
    EXPECT_EQ(t.paints, 3);
    EXPECT_EQ(parsed.options.series, 4);
}

TEST(TreeCommandLine, RefusesUnsoundValuesWithAMessageNamingTheOption) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--tree", "--branches", "sieben"}, "--branches"},
        {{"--tree", "--redux", "2.5"}, "--redux"},
        {{"--tree", "--length", "3,5"}, "--length"},
        {{"--tree", "--turn", "inf"}, "--turn"},
        {{"--tree", "--length", "1e300"}, "--length"},
        {{"--tree", "--length", "-10000.5"}, "--length"},
        {{"--tree", "--colour", "ja"}, "--colour"},
        {{"--tree", "--paints", "0"}, "--paints"},
        {{"--tree", "--segment-offset", "2147483600"}, "--segment-offset"},
        {{"--branches", "3"}, "--tree"},
        // Hours of drawing: 2 * 200^4 segments of 3 pixels, or the default tree a million times.
        {{"--tree", "--branches", "200"}, "--tree: der Baum wäre zu groß"},
        {{"--tree", "--paints", "1000000"}, "--tree: der Baum wäre zu groß"},
        {{"--tree", "--segment-offset", "2147483587"}, "--tree: der Baum wäre zu groß"},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = Parse(c.args);
        EXPECT_NE(parsed.error.find(c.mentions), std::string::npos) << parsed.error;
    }
    EXPECT_EQ(Parse({"--tree", "--branches", "0", "--segment-offset", "2147483587"}).error, "");
    EXPECT_EQ(Parse({"--tree", "--branches", "90"}).error, "");  // a minute or two
    EXPECT_EQ(Parse({"--tree", "--length", "-10000"}).error, "");
}

TEST(TreeCommandLine, ReplaySetsTheViewAsTheToolbarWould) {
    TreeRequest request;
    request.on = true;
    request.branches = 4;
    request.segmentOffset = 30;
    request.colour = false;
    HeadlessWindow road({1920, 1080}, {700, 560});
    road.View().PenColour = RGB(9, 9, 9);
    ReplayTree(request, 7, road);
    const CFractalView& view = road.View();
    EXPECT_EQ(view.ViewMode, Drawing::Tree);
    EXPECT_EQ(view.Branches, 4);
    EXPECT_EQ(view.Segments, 90);
    EXPECT_EQ(view.TreeColour, 0);
    EXPECT_EQ(view.PenColour, RGB(0, 0, 0));
    EXPECT_EQ(TreeStatusLines(road), "Äste: 4\nSegmente: 90\nrad: 3.0\ndt: 0.1\nRedux: 3\n");
}

TEST(TreeCommandLine, DefaultTreeAndLaterPaints) {
    TreeRequest request;
    request.on = true;
    const PixelImage first = DrawTree(request);
    EXPECT_EQ(first.At(320, 240), PixelFromRgb(255, 255, 0));
    EXPECT_TRUE(HasColour(first, PixelFromRgb(255, 0, 0)));

    request.paints = 2;
    const PixelImage second = DrawTree(request);
    EXPECT_NE(first.Pixels(), second.Pixels());
    request.paints = 1;
    EXPECT_EQ(DrawTree(request).Pixels(), first.Pixels());

    request.colour = false;
    const PixelImage black = DrawTree(request, 5);
    EXPECT_TRUE(HasColour(black, PixelFromRgb(0, 0, 0)));
    EXPECT_FALSE(HasColour(black, PixelFromRgb(255, 0, 0)));
    request.colour = true;
    const PixelImage red = DrawTree(request, 5);
    EXPECT_TRUE(HasColour(red, PixelFromRgb(255, 0, 0)));
    EXPECT_FALSE(HasColour(red, PixelFromRgb(255, 255, 0)));
}

TEST(TreeCommandLine, ProgramWritesTheDefaultTreeTheSameInEveryRun) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvale-tree-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string program = MORVALE_RENDER_PROGRAM;
    for (const char* name : {"a.png", "b.png"}) {
        const std::string command =
            program + " --tree -o " + (folder / name).string() + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    PixelImage a, b;
    ASSERT_TRUE(ReadPng((folder / "a.png").string(), a));
    ASSERT_TRUE(ReadPng((folder / "b.png").string(), b));
    EXPECT_EQ(a.Width(), 1920);
    EXPECT_EQ(a.Pixels(), b.Pixels());

    TreeRequest request;
    request.on = true;
    EXPECT_EQ(a.Pixels(), DrawTree(request, 7, {1920, 1080}).Pixels());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace morvale
