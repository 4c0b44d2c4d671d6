// Pictures computed and written a band at a time are the pictures a whole paint leaves.
#include <gtest/gtest.h>
#include <malloc.h>
#include <tbb/global_control.h>
#include <tbb/task_arena.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <utility>

#include "PngFile.h"
#include "RoadScript.h"
#include "cli/PictureBudget.h"
#include "cli/PngBands.h"

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

    // After the refusal no byte is offered again, and the bands not yet begun are never filled.
    const PixelImage tall(20, 3000, PixelFromRgb(9, 8, 7));
    PngBands bands = WholeImageBands(tall, 1);
    int filled = 0;
    const auto fill = bands.fill;
    bands.fill = [&](int begin, int end, const PixelSurface& band) {
        ++filled;
        fill(begin, end, band);
    };
    int offers = 0, refusals = 0;
    EXPECT_FALSE(WritePngBands(bands, [&](const std::uint8_t*, std::size_t) {
        ++offers;
        return offers < 4 || ++refusals == 0;  // the first IDAT chunk is refused
    }));
    EXPECT_EQ(offers, 4);
    EXPECT_LT(filled, tall.Height() / 2);
}

// The largest the resident memory has been since ResetPeak, in bytes.
std::uint64_t PeakResident() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

bool ResetPeak() {
    malloc_trim(0);  // freed memory that stays resident would be taken again unseen
    std::ofstream refs("/proc/self/clear_refs");
    refs << "5";
    refs.flush();
    return refs.good() && PeakResident() > 0;
}

TEST(PictureBudget, TheWritersEstimateIsWithinFourfoldOfWhatItHolds) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's shadow memory swamps the writer's";
#endif
    // Eight threads, bands of 87 rows of 1000 pixels, up to 2 * 8 + 1 of them in flight. The first
    // picture bytes wait until all of them are filled, as on a slow disk.
    constexpr int kInFlight = 17;
    // However many cores the machine has: its threads take turns.
    tbb::global_control threads(tbb::global_control::max_allowed_parallelism, 8);
    tbb::task_arena arena(8);
    const PixelImage picture(1000, 3000, PixelFromRgb(200, 100, 50));
    PngBands bands = WholeImageBands(picture);
    std::mutex mutex;
    std::condition_variable filledMore;
    int filled = 0;
    const auto fill = bands.fill;
    bands.fill = [&](int begin, int end, const PixelSurface& band) {
        fill(begin, end, band);
        std::lock_guard lock(mutex);
        ++filled;
        filledMore.notify_all();
    };
    int offers = 0;  // the signature, then the header chunk in three pieces, come first
    const ByteSink slowDisk = [&](const std::uint8_t*, std::size_t) {
        std::unique_lock lock(mutex);
        if (++offers == 5)
            filledMore.wait_for(lock, std::chrono::seconds(20),
                                [&] { return filled >= kInFlight; });
        return true;
    };
    std::uint64_t estimate = 0, held = 0;
    arena.execute([&] {
        estimate = PngBandsMemory(picture.Width());
        if (!ResetPeak()) return;
        const std::uint64_t before = PeakResident();
        ASSERT_TRUE(WritePngBands(bands, slowDisk));
        held = PeakResident() - before;
    });
    EXPECT_EQ(filled, (picture.Height() + 86) / 87);
    if (held == 0) GTEST_SKIP() << "the peak memory cannot be reset here";
    EXPECT_LE(held, estimate);
    EXPECT_GE(held * 4, estimate);
}

TEST(PictureBudget, ManyCoresAddMemoryPerCoreNotPerCoreSquared) {
    // A 40000-pixel row is 117 KB: bands of 256 rows for 128 cores take 72 MB each. The bands in
    // flight stay within 256 MB, each core keeps its 0.8 MB, a band being packed its 30 MB.
    std::uint64_t wide = 0;
    tbb::task_arena(128).execute([&] { wide = PngBandsMemory(40000); });
    EXPECT_LT(wide, std::uint64_t(256 + 128) << 20 << 1);
    EXPECT_GT(wide, std::uint64_t(128) << 20);
}

TEST(PictureBudget, RefusalsTellNeedAndFreeApart) {
    EXPECT_EQ(CheckPictureMemory(40000, 30000, false), "");
    EXPECT_NE(CheckPictureMemory(1000000, 1000000, true).find("Arbeitsspeicher"),
              std::string::npos);
    EXPECT_EQ(CheckPictureSpace(1920, 1080, 1 << 20), "");
    // 1000x2000: 2000 rows of 3001 bytes, 6002000 raw, packed at best to 6002000/1032 = 5815.
    EXPECT_EQ(CheckPictureSpace(1000, 2000, 5815), "");
    for (const std::uint64_t free : {5814, 4096, 0})
        EXPECT_NE(CheckPictureSpace(1000, 2000, free)
                      .find("braucht mindestens 5815 Bytes, auf dem Datenträger sind nur " +
                            std::to_string(free) + " Bytes frei"),
                  std::string::npos);
    // 20000x20000: 1200020000 raw, at best 1162810 bytes = 1135.6 KB, rounded up; 1 MB free.
    EXPECT_NE(CheckPictureSpace(20000, 20000, 1 << 20)
                  .find("mindestens 1136 KB, auf dem "
                        "Datenträger sind nur 1024 KB frei"),
              std::string::npos)
        << CheckPictureSpace(20000, 20000, 1 << 20);
}

}  // namespace
}  // namespace morvale::testing
