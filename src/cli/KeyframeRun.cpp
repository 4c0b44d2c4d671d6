#include "cli/KeyframeRun.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "cli/OutputFile.h"
#include "cli/ProgressLine.h"
#include "keyframes/KeyframeWriter.h"
#include "platform/QuotedText.h"

namespace morvale {
namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

KeyframeLook LookOfOptions(const RenderOptions& o) {
    const std::vector<std::string> texts = ChosenTexts(o);
    return {texts.empty() ? std::string() : texts.back(), o.depth, o.series, o.deepZoom};
}

// Empty, or why frame k could not be written to path.
std::string WriteFrame(const RenderOptions& o, const KeyframePlan& plan, int k,
                       const std::string& path, double& referenceSeconds) {
    OutputFile out;
    if (std::string error = out.Open(path); !error.empty()) return error;
    ProgressLine progress(plan.Frame().height, !o.quiet && isatty(STDERR_FILENO));
    const KeyframeWriting writing = WriteKeyframe(
        plan, k, LookOfOptions(o),
        [&out](const std::uint8_t* data, std::size_t size) { return out.Write(data, size); },
        [&progress](int rows) { progress.Update(rows); });
    progress.Finish();
    referenceSeconds = writing.referenceSeconds;
    return writing.written ? out.Commit() : out.Failure();
}

}  // namespace

KeyframePlan PlanOfOptions(const RenderOptions& o) {
    const bool julia = o.kind == Fractal::Julia;
    const std::vector<std::string> texts = ChosenTexts(o);
    auto text = [&](std::size_t i) { return i < texts.size() ? texts[i] : std::string("0"); };
    ZoomTarget target;
    if (o.centre) {
        target = {julia, o.centre->first, o.centre->second, *o.planeHeight, "0", "0"};
        if (julia) target.p = text(4), target.q = text(5);
    } else {
        const std::array<std::string, 6> region = {
            text(0), text(1), text(2), text(3), julia ? text(4) : "0", julia ? text(5) : "0"};
        target = TargetOfRegion(julia, region, o.screen, o.window.value_or(o.screen));
    }
    return KeyframePlan(target, o.frameSize, o.topHeight);
}

std::string RunKeyframes(const RenderOptions& o) {
    std::error_code error;
    std::filesystem::create_directories(o.keyframes, error);
    if (!std::filesystem::is_directory(o.keyframes))
        return "--keyframes: " + QuotedText(o.keyframes) +
               " ist kein Ordner und lässt sich nicht anlegen";
    if (ChosenTexts(o).empty())
        return "--keyframes braucht eine Ansicht: --view, --centre mit --height, --preset oder "
               "--texts";
    const KeyframePlan plan = PlanOfOptions(o);
    if (!o.quiet)
        std::cerr << "morvale-render: " << plan.Count() << " Schlüsselbilder von Höhe "
                  << plan.HeightText(0) << " bis " << plan.HeightText(plan.Count() - 1) << '\n';
    const auto runStart = std::chrono::steady_clock::now();
    double reference = 0.0;
    int drawn = 0;
    for (int k = 0; k < plan.Count(); ++k) {
        const std::string name = KeyframePlan::FileName(k);
        const std::string path = (std::filesystem::path(o.keyframes) / name).string();
        if (!o.share.Takes(k) || std::filesystem::exists(path, error)) continue;  // resumed
        const auto start = std::chrono::steady_clock::now();
        double frameReference = 0.0;
        if (std::string failure = WriteFrame(o, plan, k, path, frameReference); !failure.empty())
            return "-o: " + QuotedText(path) + " kann nicht geschrieben werden (" + failure + ")";
        reference += frameReference;
        ++drawn;
        if (!o.quiet)
            std::cerr << "morvale-render: " << name << " " << SecondsSince(start) << " s\n";
    }
    if (o.stats)
        std::cerr << "Schlüsselbilder: " << drawn << " in " << SecondsSince(runStart)
                  << " s, davon Referenz " << reference << " s\n";
    return {};
}

}  // namespace morvale
