// morvale-render: draws one escape-time picture without a display and writes it as a PNG.

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/PngFile.h"
#include "cli/QuotedArgument.h"
#include "cli/RenderOptions.h"
#include "cli/TreeRequest.h"
#include "view/HeadlessWindow.h"
#include "view/escape/EscapeKernel.h"

namespace morvale {
namespace {

constexpr int kBadArguments = 2;

int Fail(const std::string& message) {
    std::cerr << "morvale-render: " << message << '\n';
    return kBadArguments;
}

// The output must go into an existing, writable folder and must not name a folder itself.
bool OutputWritable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    return fs::is_directory(folder, ec) && access(folder.c_str(), W_OK) == 0 &&
           (!fs::exists(path, ec) || access(path.c_str(), W_OK) == 0);
}

// Kind command, database dialog, depth box, colour series, draw command, then every zoom drag
// with the drawing that follows it.
void Replay(const RenderOptions& o, HeadlessWindow& road) {
    road.ChooseKind(o.kind);
    if (o.preset || o.texts) road.TakeTexts(ChosenTexts(o));
    if (o.depth) road.TypeDepth(*o.depth);
    road.ChooseSeries(o.series);
    road.PressDraw();
    for (const ZoomDrag& zoom : o.zooms) road.Drag(zoom.from, zoom.to);
}

// Shortest text that reads back as the same double.
std::string Exact(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void PrintStats(HeadlessWindow& road) {
    const CMorvale1Doc& doc = road.Document();
    const bool julia = doc.FractalKind == Fractal::Julia;
    const EscapeTally& tally = road.View().LastEscapeTally;
    std::cerr << "Bereich: x " << Exact(julia ? doc.JuliaXMin : doc.MandelPMin) << " bis "
              << Exact(julia ? doc.JuliaXMax : doc.MandelPMax) << ", y "
              << Exact(julia ? doc.JuliaYMin : doc.MandelQMin) << " bis "
              << Exact(julia ? doc.JuliaYMax : doc.MandelQMax) << '\n';
    if (julia)
        std::cerr << "Konstante: p " << Exact(doc.JuliaP) << ", q " << Exact(doc.JuliaQ) << '\n';
    std::cerr << "Schritte: " << Exact(julia ? doc.JuliaStepX : doc.MandelStepX) << " je Spalte, "
              << Exact(julia ? doc.JuliaStepY : doc.MandelStepY) << " je Zeile\n"
              << "Iterationsgrenze: " << doc.IterationLimit << '\n'
              << "Bildpunkte: " << tally.pixels << '\n'
              << "Iterationen: " << tally.iterations << '\n'
              << "Zeit: " << Exact(std::round(road.LastPaintSeconds() * 1e6) / 1e3) << " ms ("
              << EscapeKernelTarget() << ")\n";
}

int Run(const std::vector<std::string>& args) {
    const ParsedOptions parsed = ParseRenderOptions(args);
    if (parsed.options.help) {
        std::cout << RenderHelpText();
        return 0;
    }
    if (!parsed.error.empty()) return Fail(parsed.error);
    const RenderOptions& o = parsed.options;
    if (!OutputWritable(o.output))
        return Fail("-o: " + QuotedArgument(o.output) + " kann nicht geschrieben werden");

    HeadlessWindow road(o.screen, o.window.value_or(o.screen));
    if (o.tree.on)
        ReplayTree(o.tree, o.series, road);
    else
        Replay(o, road);
    const std::string failure = WritePng(road.Image(), o.output);
    if (!failure.empty())
        return Fail("-o: " + QuotedArgument(o.output) + " kann nicht geschrieben werden (" +
                    failure + ")");
    if (o.stats && o.tree.on)
        std::cerr << TreeStatusLines(road) << "Zeit: " << road.LastPaintSeconds() * 1e3 << " ms\n";
    else if (o.stats)
        PrintStats(road);
    return 0;
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    return morvale::Run(std::vector<std::string>(argv + 1, argv + argc));
}
