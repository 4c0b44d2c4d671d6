// Pictures written by morvale-render: the whole run of the program (process start to file in
// place) against the drawing alone, the PNG writer's throughput and the run's peak memory.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "png/PngBands.h"
#include "presets/PresetTables.h"
#include "view/HeadlessWindow.h"

extern char** environ;

namespace morvale {
namespace {

namespace fs = std::filesystem;

struct Scene {
    const char* name;
    std::size_t preset;  // Mandelbrot preset row
    PictureSize size;    // screen and window
};

constexpr Scene kScenes[] = {
    {"Mandelbrot0_1920x1080", 0, {1920, 1080}},
    {"Mandelbrot13_1920x1080", 13, {1920, 1080}},
    {"Mandelbrot0_16000x12000", 0, {16000, 12000}},
};

std::unique_ptr<HeadlessWindow> Drawn(const Scene& scene) {
    auto road = std::make_unique<HeadlessWindow>(scene.size, scene.size);
    road->ChooseKind(Fractal::Mandelbrot);
    road->TakeTexts({MandelPresets[scene.preset].begin(), MandelPresets[scene.preset].end()});
    road->PressDraw();
    return road;
}

fs::path OutputPath() {
    return fs::temp_directory_path() /
           ("morvale-export-bench-" + std::to_string(getpid()) + ".png");
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// User and system time of every thread.
double Seconds(const rusage& usage) {
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return Seconds(usage);
}

// The paint of the whole picture into memory, as --stats times it.
void DrawingAlone(benchmark::State& state, const Scene& scene) {
    auto road = Drawn(scene);
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const double before = CpuSeconds(RUSAGE_SELF);
        road->Repaint();
        cpuSeconds += CpuSeconds(RUSAGE_SELF) - before;
        state.SetIterationTime(road->LastPaintSeconds());
    }
    state.counters["CPU s"] = cpuSeconds / double(state.iterations());
}

// The band writer on a drawn picture, into memory that only counts.
void Encoder(benchmark::State& state, const Scene& scene) {
    auto road = Drawn(scene);
    const PixelImage& image = road->Image();
    const PngBands bands = WholeImageBands(image);
    std::size_t fileBytes = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        fileBytes = 0;
        const auto start = std::chrono::steady_clock::now();
        WritePngBands(bands, [&fileBytes](const std::uint8_t*, std::size_t size) {
            fileBytes += size;
            return true;
        });
        const double taken = SecondsSince(start);
        state.SetIterationTime(taken);
        seconds += taken;
    }
    const double raw = 3.0 * image.Width() * image.Height();  // RGB bytes
    state.counters["MB/s"] = raw * double(state.iterations()) / seconds / 1e6;
    state.counters["file MB"] = double(fileBytes) / 1e6;
}

// morvale-render run as a user runs it; its peak resident memory in MB.
void WholeRun(benchmark::State& state, const Scene& scene) {
    const std::string size =
        std::to_string(scene.size.width) + "x" + std::to_string(scene.size.height);
    const std::string preset = std::to_string(scene.preset), out = OutputPath().string();
    std::vector<std::string> args = {
        MORVALE_RENDER_PROGRAM, "--preset", preset, "--screen", size, "--quiet", "-o", out};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    long peakKb = 0;
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("morvale-render did not start");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.SetIterationTime(SecondsSince(start));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("run failed");
        peakKb = std::max(peakKb, usage.ru_maxrss);
        cpuSeconds += Seconds(usage);
    }
    state.counters["peak MB"] = double(peakKb) / 1024.0;
    state.counters["CPU s"] = cpuSeconds / double(state.iterations());
    fs::remove(out);
}

// Keeps each scene's figures to print them side by side after the run.
class ExportReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            auto& figures = figures_[run.benchmark_name()];
            figures["ms"] = run.GetAdjustedRealTime();
            for (const auto& [name, counter] : run.counters) figures[name] = counter.value;
        }
    }
    // The CPU columns add up every core: what a run costs whatever else the machine does.
    void PrintTable() const {
        std::printf("\n%-24s %10s %9s %6s %12s %11s %11s %8s %8s\n", "scene", "drawing ms",
                    "whole ms", "ratio", "drawing CPU", "run CPU", "encode MB/s", "file MB",
                    "peak MB");
        for (const Scene& scene : kScenes) {
            const double drawing = Find("Drawing/", scene, "ms");
            const double whole = Find("WholeRun/", scene, "ms");
            std::printf("%-24s %10.1f %9.1f %5.2fx %11.3fs %10.3fs %11.0f %8.1f %8.1f\n",
                        scene.name, drawing, whole, whole / drawing,
                        Find("Drawing/", scene, "CPU s"), Find("WholeRun/", scene, "CPU s"),
                        Find("Encoder/", scene, "MB/s"), Find("Encoder/", scene, "file MB"),
                        Find("WholeRun/", scene, "peak MB"));
        }
    }

private:
    double Find(const std::string& kind, const Scene& scene, const char* figure) const {
        for (const auto& [name, figures] : figures_)
            if (name.starts_with(kind + scene.name) && figures.count(figure))
                return figures.at(figure);
        return 0.0;
    }
    std::map<std::string, std::map<std::string, double>> figures_;
};

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    using namespace morvale;
    using Function = void (*)(benchmark::State&, const Scene&);
    // Whole runs first: the kernel keeps a spawned child's peak memory from this process's own
    // across exec, and this process stays small until the drawings below.
    const std::pair<const char*, Function> kinds[] = {
        {"WholeRun/", WholeRun}, {"Drawing/", DrawingAlone}, {"Encoder/", Encoder}};
    for (const auto& [kind, function] : kinds)
        for (const Scene& scene : kScenes) {
            auto* bench = benchmark::RegisterBenchmark(
                (std::string(kind) + scene.name).c_str(),
                [&scene, function = function](benchmark::State& s) { function(s, scene); });
            bench->Unit(benchmark::kMillisecond)->UseManualTime();
            if (scene.size.width > 1920) bench->Iterations(2);
        }
    benchmark::Initialize(&argc, argv);
    ExportReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
