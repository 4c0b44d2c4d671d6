#include "cli/KeyframeRun.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "cli/QuotedArgument.h"

namespace morvale {
namespace {

bool IsJulia(const RenderOptions& o) {
    return o.kind == Fractal::Julia;
}

}  // namespace

KeyframePlan PlanOfOptions(const RenderOptions& o) {
    const bool julia = IsJulia(o);
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

RenderOptions FrameOptions(const RenderOptions& o, const KeyframePlan& plan, int k) {
    RenderOptions frame = o;
    std::vector<std::string> texts = plan.RegionTexts(k);
    const std::vector<std::string> chosen = ChosenTexts(o);
    texts.push_back(chosen.empty() ? std::string() : chosen.back());  // the depth text
    frame.texts = texts;
    frame.preset.reset();
    frame.centre.reset();
    frame.planeHeight.reset();
    frame.view.clear();
    frame.keyframes.clear();
    frame.screen = plan.Device();
    frame.window = plan.Frame();
    frame.output = (std::filesystem::path(o.keyframes) / KeyframePlan::FileName(k)).string();
    return frame;
}

std::string RunKeyframes(const RenderOptions& o, const DrawPicture& draw) {
    std::error_code error;
    std::filesystem::create_directories(o.keyframes, error);
    if (!std::filesystem::is_directory(o.keyframes))
        return "--keyframes: " + QuotedArgument(o.keyframes) +
               " ist kein Ordner und lässt sich nicht anlegen";
    if (ChosenTexts(o).empty())
        return "--keyframes braucht eine Ansicht: --view, --centre mit --height, --preset oder "
               "--texts";
    const KeyframePlan plan = PlanOfOptions(o);
    const bool talk = !o.quiet;
    if (talk)
        std::cerr << "morvale-render: " << plan.Count() << " Schlüsselbilder von Höhe "
                  << plan.HeightText(0) << " bis " << plan.HeightText(plan.Count() - 1) << '\n';
    for (int k = 0; k < plan.Count(); ++k) {
        if (!o.share.Takes(k)) continue;
        const RenderOptions frame = FrameOptions(o, plan, k);
        if (std::filesystem::exists(frame.output, error)) continue;  // a resumed run
        const auto start = std::chrono::steady_clock::now();
        OutputFile out;
        std::string failure = out.Open(frame.output);
        if (failure.empty()) failure = draw(frame, *frame.window, out);
        if (!failure.empty())
            return "-o: " + QuotedArgument(frame.output) + " kann nicht geschrieben werden (" +
                   failure + ")";
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (talk)
            std::cerr << "morvale-render: " << KeyframePlan::FileName(k) << " " << seconds
                      << " s\n";
    }
    return {};
}

}  // namespace morvale
