// Zoom video assembly at 1920x1080, 60 frames a second, from keyframes at twice that size: the
// composition alone and composition with H.264 encoding into an MP4, in video frames per second
// (at least 60 is faster than real time), and the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "keyframes/KeyframeWriter.h"
#include "video/FrameComposer.h"
#include "video/ZoomVideo.h"

namespace morvale {
namespace {

namespace fs = std::filesystem;

constexpr int kKeyframes = 3;  // two doublings: 120 video frames

// Three keyframes of a Mandelbrot spot in seahorse valley, drawn once.
const KeyframeFolder& Keyframes() {
    static const KeyframeFolder frames = [] {
        const fs::path folder =
            fs::temp_directory_path() / ("morvale-video-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        const KeyframePlan plan({false, "-0.743643887037151", "0.131825904205330", "2e-5"},
                                {3840, 2160}, "7e-5");
        for (int k = 0; k < kKeyframes; ++k) {
            std::ofstream out(folder / KeyframePlan::FileName(k), std::ios::binary);
            WriteKeyframe(plan, k, {"1500", std::nullopt, 1, true},
                          [&out](const std::uint8_t* data, std::size_t size) {
                              return bool(out.write(reinterpret_cast<const char*>(data),
                                                    std::streamsize(size)));
                          });
        }
        std::string error;
        KeyframeFolder scanned = ScanKeyframes(folder.string(), error);
        if (!error.empty()) throw std::runtime_error(error);
        return scanned;
    }();
    return frames;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// CPU seconds of every thread of the process: the work, whatever else loads the machine.
double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

ZoomVideoOptions FullHd() {
    ZoomVideoOptions o;
    o.format = {1920, 1080, 60, 20};
    return o;
}

void Compose(benchmark::State& state) {
    const KeyframeFolder& frames = Keyframes();
    std::string error;
    const KeyframePyramid lower(ReadPngRgb(frames.paths[0], error));
    const KeyframePyramid upper(ReadPngRgb(frames.paths[1], error));
    FrameComposer composer(1920, 1080);
    RgbImage out(1920, 1080);
    long i = 0;
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state) composer.Compose(lower, &upper, double(i++ % 60) / 60.0, out);
    state.counters["frames_per_s"] = benchmark::Counter(double(i), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_frame"] = (ProcessCpuSeconds() - cpu) * 1e3 / double(i);
}

void Assemble(benchmark::State& state) {
    const KeyframeFolder& frames = Keyframes();
    const fs::path video = fs::path(frames.paths[0]).parent_path() / "zoom.mp4";
    const ZoomVideoOptions o = FullHd();
    long made = 0;
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state) {
        if (std::string error = MakeZoomVideo(frames, video.string(), o); !error.empty())
            state.SkipWithError(error.c_str());
        made += VideoFrameCount(kKeyframes, o);
    }
    state.counters["frames_per_s"] = benchmark::Counter(double(made), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_frame"] = (ProcessCpuSeconds() - cpu) * 1e3 / double(made);
    state.counters["video_MB"] = double(fs::file_size(video)) / 1e6;
    state.counters["peak_MB"] = PeakMegabytes();
}

BENCHMARK(Compose)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(Assemble)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace morvale

BENCHMARK_MAIN();
