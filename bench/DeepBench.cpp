// Deep pictures at 1920x1080: published locations at plane heights near 1e-50, 1e-300 and
// 1e-1000, limit 1e5 (1e6 for the escaping 1e-1000 view), and the public benchmark locations at
// 1024x1024 and their published limits. Reports the reference, table and pixel
// times separately, the processor time of all threads and the mean count.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "DeepLocations.h"
#include "PublicLocations.h"
#include "doc/ColourSeries.h"
#include "render/EscapeRenderer.h"
#include "render/deep/DeepScene.h"

namespace morvale {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kHidden = kHiddenRows;

EscapeColouring Colours() {
    EscapeColouring colours;
    for (int i = 0; i < kPaletteEntries; ++i) colours.palette[std::size_t(i)] = Pixel(i);
    colours.series = 1;
    return colours;
}

void DeepPicture(benchmark::State& state, const std::string& re, const std::string& im,
                 const char* planeHeight, int limit, int width, int rows) {
    const int height = rows + kHidden;
    const DeepRegion region =
        DeepRegion::FromCentre(false, re, im, planeHeight, "0", "0", width, height, kHidden);
    PixelImage image(width, rows);
    DeepTimings timings;
    EscapeTally tally;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        EscapeScene scene;
        scene.limit = limit;
        scene.columns = width;
        scene.rows = rows;
        scene.deep = std::make_shared<DeepScene>(
            region, DeepFrame{width, height, width, kHidden, rows, limit});
        tally = RenderEscapeTime(scene, Colours(), image.Surface());
        timings = scene.deep->Timings();
    }
    // All threads' processor time: on a machine shared with other work the wall time says little.
    state.counters["cpu_s"] = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["reference_s"] = timings.reference;
    state.counters["table_s"] = timings.table;
    state.counters["pixels_s"] = timings.pixels;
    state.counters["mean_count"] = double(tally.iterations) / double(tally.pixels);
    state.counters["bits"] = double(region.WorkingBits(width, height));
    // Shows at a glance whether a faster build still draws the same picture.
    std::uint32_t checksum = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) checksum = checksum * 31u + image.At(x, y);
    state.counters["checksum"] = double(checksum % 1000000u);
}

struct Scene {
    const char* name;
    std::string re, im;
    const char* height;
    int limit;
};

void Register() {
    using namespace deep_locations;
    const Scene scenes[] = {
        {"Deep/Mandelbrot/1e-50", kDeepDiveRe, kDeepDiveIm, "1e-50", 100000},
        {"Deep/Mandelbrot/8.8e-311", VeryDeepRe(), VeryDeepIm(), "8.8e-311", 100000},
        // At limit 1e5 every pixel of this view stays inside: the reference's cost at 3,400 bits.
        {"Deep/Mandelbrot/1e-1000", VeryDeepRe(), VeryDeepIm(), "1e-1000", 100000},
        // At limit 1e6 every pixel escapes, after 568,000 iterations on average.
        {"Deep/Mandelbrot/1e-1000/escaping", VeryDeepRe(), VeryDeepIm(), "1e-1000", 1000000},
    };
    for (const Scene& s : scenes)
        benchmark::RegisterBenchmark(s.name, DeepPicture, s.re, s.im, s.height, s.limit, kWidth,
                                     kHeight - kHidden)
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseRealTime();
    // The public benchmark locations at 1024 x 1024 and their published limits.
    for (const PublicLocation& at : PublicLocations())
        benchmark::RegisterBenchmark((std::string("Deep/Public/") + at.name).c_str(), DeepPicture,
                                     std::string(at.re), std::string(at.im), at.height, at.limit,
                                     1024, 1024)
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseRealTime();
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    morvale::Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
