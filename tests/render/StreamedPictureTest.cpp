// Pictures computed and written a band at a time are the pictures a whole paint leaves.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PngFile.h"
#include "RoadScript.h"
#include "cli/PictureBudget.h"
#include "png/PngBands.h"

namespace morvale::testing {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;
    RoadScript script;
};

std::vector<Case> Cases() {
    RoadScript grey = Script(Fractal::Mandelbrot, MandelRow(13));  // 21 rows below the sample rows
    grey.screen = {193, 109};
    grey.window = {191, 80};
    RoadScript wide = Script(Fractal::Julia, JuliaRow(14));  // columns beyond the device stay grey
    wide.screen = {97, 120};
    wide.window = {131, 70};
    wide.series = 3;
    wide.zooms = {{{10, 5}, {80, 60}}};
    RoadScript oneRow = Script(Fractal::Mandelbrot, MandelRow(0));
    oneRow.window = {37, 1};
    RoadScript noIterations =
        Script(Fractal::Mandelbrot, MandelRow(2));  // limit 0: filled, not run
    noIterations.depth = 0;
    noIterations.window = {63, 45};
    return {{"grey rows", grey}, {"wide", wide}, {"one row", oneRow}, {"limit 0", noIterations}};
}

PixelImage Streamed(const RoadScript& script, int bandRows) {
    HeadlessWindow road(script.screen, script.window, Painter::Deferred);
    Replay(script, road);
    const EscapeBands bands = road.Bands();
    PixelImage image(bands.Width(), bands.Height(), PixelFromRgb(1, 2, 3));
    PixelSurface all = image.Surface();
    for (int y = 0; y < bands.Height(); y += bandRows) {
        const int end = std::min(bands.Height(), y + bandRows);
        bands.Render(y, end, PixelSurface{all.Row(y), all.width, end - y, all.stride});
    }
    return image;
}

TEST(StreamedPicture, BandsOfAnyHeightMakeTheWholePaint) {
    for (const Case& c : Cases()) {
        const PixelImage whole = Draw(c.script, Painter::Production);
        ASSERT_GT(PaintedPixels(whole), 0) << c.name;
        for (const int bandRows : {1, 7, 64})
            EXPECT_TRUE(SamePixels(whole, Streamed(c.script, bandRows)))
                << c.name << ", bands of " << bandRows;
    }
}

class PngBandsFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = fs::temp_directory_path() / ("morvale-bands-" + std::to_string(getpid()) + ".png");
    }
    void TearDown() override { fs::remove(path); }

    // Writes the image through the band writer, bandRows rows at a time.
    bool Write(const PixelImage& image, int bandRows, std::size_t refuseAfter = SIZE_MAX) {
        std::ofstream out(path, std::ios::binary);
        std::size_t taken = 0;
        return WritePngBands(
            WholeImageBands(image, bandRows), [&](const std::uint8_t* data, std::size_t size) {
                taken += size;
                out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
                return taken <= refuseAfter;
            });
    }

    fs::path path;
};

TEST_F(PngBandsFile, LibpngReadsEveryBandBack) {
    std::vector<PixelImage> images;
    for (const Case& c : Cases()) images.push_back(Draw(c.script, Painter::Production));
    // Runs of colours, as in the smooth parts of large pictures, which take the Sub filter.
    PixelImage runs(61, 9);
    for (int y = 0; y < runs.Height(); ++y)
        for (int x = 0; x < runs.Width(); ++x)
            runs.Surface().At(x, y) = PixelFromRgb(x / 5 * 20, y * 7, 255 - x / 7 * 9);
    images.push_back(runs);
    for (const PixelImage& image : images)
        for (const int bandRows : {1, 5, 0}) {
            ASSERT_TRUE(Write(image, bandRows));
            PixelImage read;
            ASSERT_TRUE(ReadPng(path.string(), read)) << "bands of " << bandRows;
            EXPECT_TRUE(SamePixels(image, read)) << image.Width() << " wide, bands of " << bandRows;
        }
}

TEST_F(PngBandsFile, ASinkThatRefusesStopsTheWriting) {
    const PixelImage whole = Draw(Cases()[0].script, Painter::Production);
    EXPECT_FALSE(Write(whole, 3, 200));
    EXPECT_TRUE(Write(whole, 3));
}

TEST(PictureBudget, RefusesWhatTheMachineOrDiskCannotTake) {
    EXPECT_EQ(CheckPictureMemory(40000, 30000, false), "");
    EXPECT_NE(CheckPictureMemory(1000000, 1000000, true).find("Arbeitsspeicher"),
              std::string::npos);
    EXPECT_EQ(CheckPictureSpace(1920, 1080, 1 << 20), "");
    EXPECT_NE(CheckPictureSpace(1000000, 1000000, std::uint64_t(1) << 30).find("frei"),
              std::string::npos);
}

}  // namespace
}  // namespace morvale::testing
