// Escape-time scenes at 1920x1080: the plain loop (one thread) against the production renderer,
// in iterations per second, and the whole drawing of the first Mandelbrot preset.
#include <benchmark/benchmark.h>
#include <tbb/global_control.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "presets/PresetTables.h"
#include "render/EscapeRenderer.h"
#include "view/HeadlessWindow.h"
#include "view/drawing/DocumentScene.h"
#include "view/drawing/EscapeReference.h"

namespace morvale {
namespace {

constexpr PictureSize kScreen{1920, 1080};
// The plain loop runs on every n-th visible sample row, n chosen so that it stays near this many
// iterations; its rate is what counts.
constexpr double kReferenceIterations = 4e8;

struct Scene {
    const char* name;
    Fractal kind;
    std::size_t row;
    std::optional<int> depth;
};

constexpr Scene kScenes[] = {
    {"Mandelbrot0", Fractal::Mandelbrot, 0, {}},
    {"Mandelbrot13", Fractal::Mandelbrot, 13, {}},
    {"Mandelbrot14", Fractal::Mandelbrot, 14, {}},
    {"Julia14", Fractal::Julia, 14, {}},
    {"Julia15", Fractal::Julia, 15, {}},
    {"Mandelbrot0Depth100000", Fractal::Mandelbrot, 0, 100000},
};

// A road that has drawn the scene once; the document keeps its region, steps and limit.
std::unique_ptr<HeadlessWindow> Prepared(const Scene& scene) {
    auto road = std::make_unique<HeadlessWindow>(kScreen, kScreen);
    road->ChooseKind(scene.kind);
    if (scene.kind == Fractal::Julia)
        road->TakeTexts({JuliaPresets[scene.row].begin(), JuliaPresets[scene.row].end()});
    else
        road->TakeTexts({MandelPresets[scene.row].begin(), MandelPresets[scene.row].end()});
    if (scene.depth) road->TypeDepth(*scene.depth);
    road->PressDraw();
    return road;
}

void SetRate(benchmark::State& state, double iterations) {
    state.counters["iter/s"] =
        benchmark::Counter(iterations, benchmark::Counter::kIsIterationInvariantRate);
}

void Production(benchmark::State& state, const Scene& scene) {
    std::optional<tbb::global_control> oneThread;
    if (state.range(0) == 1) oneThread.emplace(tbb::global_control::max_allowed_parallelism, 1);
    auto road = Prepared(scene);
    PixelImage image(kScreen.width, kScreen.height);
    CDC dc(image.Surface(), kScreen.width, kScreen.height);
    CMorvale1Doc& doc = road->Document();
    doc.BuildPalette(&dc);
    const EscapeScene escape = DocumentScene(doc, image.Surface()).value();
    const EscapeColouring colours = ColouringFromDevice(dc, road->View().ColourSeries);
    EscapeTally tally;
    for (auto _ : state) tally = RenderEscapeTime(escape, colours, image.Surface());
    doc.FinishDrawing(&dc);
    SetRate(state, double(tally.iterations));
    state.counters["pixels"] = double(tally.pixels);
}

void Reference(benchmark::State& state, const Scene& scene) {
    auto road = Prepared(scene);
    const double full = double(road->View().LastEscapeTally.iterations);
    const int stride = std::max(1, int(std::ceil(full / kReferenceIterations)));
    PixelImage image(kScreen.width, kScreen.height);
    CDC dc(image.Surface(), kScreen.width, kScreen.height);
    std::int64_t iterations = 0;
    for (auto _ : state)
        iterations = DrawEscapeTimeReference(road->View(), &dc, {kHiddenRows, stride});
    SetRate(state, double(iterations));
    state.counters["row stride"] = stride;
}

// Preparation, kernel and colouring into the picture, as a paint runs it.
void WholeDrawing(benchmark::State& state) {
    auto road = Prepared(kScenes[0]);
    PixelImage image(kScreen.width, kScreen.height);
    CDC dc(image.Surface(), kScreen.width, kScreen.height);
    for (auto _ : state) road->View().OnDraw(&dc);
    state.counters["pixels"] = double(road->View().LastEscapeTally.pixels);
}

// Keeps the rates of every scene to print their ratio after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("iter/s");
            if (rate != run.counters.end() && run.run_type == Run::RT_Iteration)
                rates_[run.benchmark_name()] = rate->second.value;
        }
    }
    void PrintRatios() const {
        std::printf("\n%-26s %16s %16s %8s\n", "scene", "plain iter/s", "production iter/s",
                    "ratio");
        for (const Scene& scene : kScenes) {
            const auto plain = Find(std::string("Plain/") + scene.name + "/");
            const auto fast = Find(std::string("Production/") + scene.name + "/one_thread:0");
            if (!plain || !fast) continue;
            std::printf("%-26s %16.4g %16.4g %7.1fx\n", scene.name, *plain, *fast, *fast / *plain);
        }
    }

private:
    std::optional<double> Find(const std::string& prefix) const {
        for (const auto& [name, rate] : rates_)
            if (name.starts_with(prefix)) return rate;
        return std::nullopt;
    }
    std::map<std::string, double> rates_;
};

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    using namespace morvale;
    for (const Scene& scene : kScenes) {
        benchmark::RegisterBenchmark((std::string("Plain/") + scene.name).c_str(),
                                     [&scene](benchmark::State& s) { Reference(s, scene); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
        benchmark::RegisterBenchmark((std::string("Production/") + scene.name).c_str(),
                                     [&scene](benchmark::State& s) { Production(s, scene); })
            ->ArgName("one_thread")
            ->Arg(0)
            ->Arg(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("WholeDrawing/Mandelbrot0", WholeDrawing)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    std::printf("kernel: %s\n", EscapeKernelTarget());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
