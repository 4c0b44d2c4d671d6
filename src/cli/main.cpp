// morvale-render: draws one escape-time picture without a display and writes it as a PNG.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/PictureRoad.h"
#include "cli/PngFile.h"
#include "cli/RenderOptions.h"
#include "view/EscapeKernel.h"

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
void Replay(const RenderOptions& o, PictureRoad& road) {
    road.ChooseKind(o.kind);
    if (o.preset || o.texts) road.TakeTexts(ChosenTexts(o));
    if (o.depth) road.TypeDepth(*o.depth);
    road.ChooseSeries(o.series);
    road.PressDraw();
    for (const ZoomDrag& zoom : o.zooms) road.Drag(zoom.from, zoom.to);
}

void PrintStats(PictureRoad& road) {
    const CMorvale1Doc& doc = road.Document();
    const bool julia = doc.FractalKind == kKindJulia;
    const EscapeTally& tally = road.View().LastEscapeTally;
    const double seconds = road.LastPaintSeconds();
    std::fprintf(stderr, "Bereich: x %.17g bis %.17g, y %.17g bis %.17g\n",
                 julia ? doc.JuliaXMin : doc.MandelPMin, julia ? doc.JuliaXMax : doc.MandelPMax,
                 julia ? doc.JuliaYMin : doc.MandelQMin, julia ? doc.JuliaYMax : doc.MandelQMax);
    if (julia) std::fprintf(stderr, "Konstante: p %.17g, q %.17g\n", doc.JuliaP, doc.JuliaQ);
    std::fprintf(stderr, "Schritte: %.17g je Spalte, %.17g je Zeile\n",
                 julia ? doc.JuliaStepX : doc.MandelStepX,
                 julia ? doc.JuliaStepY : doc.MandelStepY);
    std::fprintf(stderr, "Iterationsgrenze: %d\n", doc.IterationLimit);
    std::fprintf(stderr, "Bildpunkte: %lld\nIterationen: %lld\n", (long long)tally.pixels,
                 (long long)tally.iterations);
    std::fprintf(stderr, "Zeit: %.3f ms (%s)\n", seconds * 1e3, EscapeKernelTarget());
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
        return Fail("-o: \u201e" + o.output + "\u201c kann nicht geschrieben werden");

    PictureRoad road(o.screen, o.window.value_or(o.screen));
    Replay(o, road);
    const std::string failure = WritePng(road.Image(), o.output);
    if (!failure.empty())
        return Fail("-o: \u201e" + o.output + "\u201c kann nicht geschrieben werden (" + failure +
                    ")");
    if (o.stats) PrintStats(road);
    return 0;
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    return morvale::Run(std::vector<std::string>(argv + 1, argv + argc));
}
