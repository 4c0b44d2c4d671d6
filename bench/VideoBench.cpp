// Zoom video assembly at 1920x1080, 60 frames a second, from keyframes at twice that size: reading
// a keyframe, the composition alone and composition with H.264 encoding into an MP4 at several
// x264 settings, in video frames per second (at least 60 is faster than real time), CPU per frame,
// and the peak memory of the assembly.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "keyframes/KeyframeWriter.h"
#include "video/FrameComposer.h"
#include "video/ZoomFlight.h"
#include "video/ZoomVideo.h"

namespace morvale {
namespace {

namespace fs = std::filesystem;

constexpr int kKeyframes = 3;  // two doublings: 120 video frames

// A scratch folder, removed at exit.
struct Scratch {
    fs::path folder =
        fs::temp_directory_path() / ("morvale-video-bench-" + std::to_string(getpid()));
    Scratch() { fs::create_directories(folder); }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(folder, error);
    }
};

// Three keyframes of a Mandelbrot spot in seahorse valley at oversize (1 or 2) times the
// video's size, drawn once.
const KeyframeFolder& Keyframes(int oversize = kKeyframeOversize) {
    static const Scratch scratch;
    static std::map<int, KeyframeFolder> drawn;
    if (auto it = drawn.find(oversize); it != drawn.end()) return it->second;
    {
        std::string name = "x";
        name += std::to_string(oversize);
        const fs::path folder = scratch.folder / name;
        fs::create_directories(folder);
        const KeyframePlan plan({false, "-0.743643887037151", "0.131825904205330", "2e-5"},
                                {1920 * oversize, 1080 * oversize}, "7e-5");
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
        return drawn.emplace(oversize, std::move(scanned)).first->second;
    }
}

// The kernel's figures of resident memory (VmHWM: the peak, VmRSS: now), in MB.
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(key.size())) / 1024.0;
    return 0.0;
}

// Resets the peak, with what drawing the keyframes left freed given back first, so that only
// the assembly counts.
void ResetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// CPU seconds of every thread of the process: the work, whatever else loads the machine.
double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Composes frames over a doubling into picture, for the video (YUV) or for a still (RGB).
template <typename Picture>
void ComposeInto(benchmark::State& state, ChannelModel model, Picture& picture) {
    const KeyframeFolder& frames = Keyframes();
    std::string error;
    const KeyframePyramid lower(ReadPngRgb(frames.paths[0], error), model);
    const KeyframePyramid upper(ReadPngRgb(frames.paths[1], error), model);
    FrameComposer composer(1920, 1080);
    long i = 0;
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state) composer.Compose(lower, &upper, double(i++ % 60) / 60.0, picture);
    state.counters["frames_per_s"] = benchmark::Counter(double(i), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_frame"] = (ProcessCpuSeconds() - cpu) * 1e3 / double(i);
}

// A keyframe from its PNG to the pyramid the video's frames are composed from: once per
// doubling, on a thread of its own.
void ReadKeyframe(benchmark::State& state) {
    const KeyframeFolder& frames = Keyframes();
    std::string error;
    long i = 0;
    const double cpu = ProcessCpuSeconds();
    double png = 0.0;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        const RgbImage image = ReadPngRgb(frames.paths[0], error);
        png += ProcessCpuSeconds() - start;
        benchmark::DoNotOptimize(KeyframePyramid(image, ChannelModel::Yuv709).Levels());
        ++i;
    }
    state.counters["cpu_ms"] = (ProcessCpuSeconds() - cpu) * 1e3 / double(i);
    state.counters["png_cpu_ms"] = png * 1e3 / double(i);
}

void ComposeYuv(benchmark::State& state) {
    Plane planes[3] = {Plane(1920, 1080), Plane(960, 540), Plane(960, 540)};
    std::array<PlaneTarget, 3> picture;
    for (int c = 0; c < 3; ++c)
        picture[std::size_t(c)] = {planes[c].bytes.data(), planes[c].stride, 1, planes[c].width,
                                   planes[c].height};
    ComposeInto(state, ChannelModel::Yuv709, picture);
}

void ComposeRgb(benchmark::State& state) {
    RgbImage out(1920, 1080);
    ComposeInto(state, ChannelModel::Rgb, out);
}

// x264 preset and frame threads (0: its choice), keyframes oversize times the video's size.
void Assemble(benchmark::State& state, const char* preset, int threads, int oversize) {
    const KeyframeFolder& frames = Keyframes(oversize);
    const fs::path video = fs::path(frames.paths[0]).parent_path() / "zoom.mp4";
    ZoomVideoOptions o;
    o.format.preset = preset;
    o.format.threads = threads;
    ResetPeak();
    state.counters["start_MB"] = StatusMegabytes("VmRSS:");
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
    state.counters["peak_MB"] = StatusMegabytes("VmHWM:");
}

BENCHMARK(ReadKeyframe)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(ComposeYuv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)->Repetitions(5);
BENCHMARK(ComposeRgb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)->Repetitions(5);
// The default first; then other presets and thread counts to choose from.
#define MORVALE_ASSEMBLE(name, preset, threads, oversize)        \
    BENCHMARK_CAPTURE(Assemble, name, preset, threads, oversize) \
        ->Unit(benchmark::kMillisecond)                          \
        ->UseRealTime()                                          \
        ->Iterations(1)                                          \
        ->Repetitions(5)
MORVALE_ASSEMBLE(superfast, "superfast", 0, 2);
MORVALE_ASSEMBLE(superfast_2_threads, "superfast", 2, 2);
MORVALE_ASSEMBLE(superfast_4_threads, "superfast", 4, 2);
MORVALE_ASSEMBLE(veryfast, "veryfast", 0, 2);
MORVALE_ASSEMBLE(ultrafast, "ultrafast", 0, 2);
MORVALE_ASSEMBLE(superfast_keyframes_1x, "superfast", 0, 1);

}  // namespace
}  // namespace morvale

BENCHMARK_MAIN();
