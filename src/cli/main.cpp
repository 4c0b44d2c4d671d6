// morvale-render: draws one escape-time picture without a display and writes it as a PNG.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/KeyframeRun.h"
#include "cli/OutputFile.h"
#include "cli/PictureBudget.h"
#include "cli/ProgramRun.h"
#include "cli/ProgressLine.h"
#include "cli/RenderOptions.h"
#include "cli/TreeRequest.h"
#include "keep/ViewFile.h"
#include "plane/RegionLimits.h"
#include "platform/QuotedText.h"
#include "png/PngBands.h"
#include "render/deep/DeepScene.h"
#include "render/escape/EscapeKernel.h"
#include "view/HeadlessWindow.h"
#include "view/KeptViews.h"

namespace morvale {
namespace {

int Fail(const std::string& message) {
    return FailAs("morvale-render", message);
}

// Kind command, database dialog, depth box, colour series, draw command, then every zoom drag
// with the drawing that follows it.
void Replay(const RenderOptions& o, HeadlessWindow& road) {
    road.Document().DeepZoom = o.deepZoom;
    road.ChooseKind(o.kind);
    if (o.preset || o.texts || o.centre) road.TakeTexts(ChosenTexts(o));
    if (o.depth) road.TypeDepth(*o.depth);
    road.ChooseSeries(o.series);
    road.PressDraw();
    for (const ZoomDrag& zoom : o.zooms) road.Drag(zoom.from, zoom.to);
}

// A saved view in place of kind, texts and depth; its sizes and series unless given. Empty, or
// why the view cannot be drawn.
std::string TakeSavedView(RenderOptions& o) {
    const ViewReading reading = ReadViewFile(o.view);
    if (reading.outcome != ViewOutcome::Read)
        return "--view: " + ViewReadingMessage(reading, o.view);
    const ViewRecord& view = reading.record;
    o.kind = view.kind == ViewKind::Julia ? Fractal::Julia : Fractal::Mandelbrot;
    o.texts = ViewPresetTexts(view);
    if (!o.seriesSet) o.series = view.series;
    if (!o.screenSet) {
        o.screen = view.device;
        if (!o.window) o.window = view.client;
    }
    return {};
}

std::string SizeText(PictureSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Why the region the document prepared cannot be drawn; empty when it can.
std::string DrawnRegionProblem(const CMorvale1Doc& doc) {
    if (doc.FractalKind == Fractal::Julia) return RegionProblem(doc.JuliaDeep);
    if (doc.FractalKind == Fractal::Mandelbrot) return RegionProblem(doc.MandelDeep);
    return {};
}

// The texts that let the picture be opened again as a view.
std::vector<PngText> RecordedView(const RenderOptions& o, PictureSize window,
                                  HeadlessWindow& road) {
    if (o.tree.on) return ViewTexts(RecordTree(road.View(), o.screen, window));
    const std::optional<ViewRecord> view =
        RecordEscapeView(road.Document(), road.View().ColourSeries, o.screen, window);
    return view ? ViewTexts(*view) : std::vector<PngText>{};
}

// Shortest text that reads back as the same double.
std::string Exact(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// What the picture took to draw, for --stats.
struct Drawing {
    EscapeTally tally;
    double seconds = 0.0;
};

std::string Milliseconds(double seconds) {
    return Exact(std::round(seconds * 1e6) / 1e3) + " ms";
}

std::string Megabytes(std::int64_t bytes) {
    return Exact(std::round(double(bytes) / (1 << 20) * 10) / 10) + " MB";
}

// The full-precision region and where a deep picture's time and memory went.
void PrintDeepStats(const DeepScene& deep) {
    const DeepRegion& region = deep.Region();
    const DeepFrame& frame = deep.Frame();
    auto text = [&](int i) { return region.Text(i, frame.width, frame.height); };
    const DeepTimings t = deep.Timings();
    std::cerr << "Tiefzoom: " << region.WorkingBits(frame.width, frame.height) << " Bit\n"
              << "Bereich: x " << text(0) << " bis " << text(1) << ", y " << text(2) << " bis "
              << text(3) << '\n'
              << "Referenz: " << Milliseconds(t.reference) << " (" << t.referenceLength
              << " Werte), Tabelle: " << Milliseconds(t.table)
              << ", Bildpunkte: " << Milliseconds(t.pixels) << '\n'
              << "Speicher: " << Megabytes(t.bytes) << " für Referenzen und Tabellen, höchstens "
              << Megabytes(frame.memoryBudget) << '\n';
}

void PrintStats(HeadlessWindow& road, const Drawing& drawing, const DeepScene* deep) {
    const CMorvale1Doc& doc = road.Document();
    const bool julia = doc.FractalKind == Fractal::Julia;
    if (deep) PrintDeepStats(*deep);
    std::cerr << "Bereich: x " << Exact(julia ? doc.JuliaXMin : doc.MandelPMin) << " bis "
              << Exact(julia ? doc.JuliaXMax : doc.MandelPMax) << ", y "
              << Exact(julia ? doc.JuliaYMin : doc.MandelQMin) << " bis "
              << Exact(julia ? doc.JuliaYMax : doc.MandelQMax) << '\n';
    if (julia)
        std::cerr << "Konstante: p " << Exact(doc.JuliaP) << ", q " << Exact(doc.JuliaQ) << '\n';
    std::cerr << "Schritte: " << Exact(julia ? doc.JuliaStepX : doc.MandelStepX) << " je Spalte, "
              << Exact(julia ? doc.JuliaStepY : doc.MandelStepY) << " je Zeile\n"
              << "Iterationsgrenze: " << doc.IterationLimit << '\n'
              << "Bildpunkte: " << drawing.tally.pixels << '\n'
              << "Iterationen: " << drawing.tally.iterations << '\n'
              << "Zeit: " << Exact(std::round(drawing.seconds * 1e6) / 1e3) << " ms ("
              << EscapeKernelTarget() << ")\n";
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The escape-time picture is computed a band at a time as the writer asks for it.
PngBands EscapeTimeBands(const EscapeBands& bands, Drawing& drawing) {
    return {bands.Width(),
            bands.Height(),
            [&bands, &drawing](int rowBegin, int rowEnd, const PixelSurface& band) {
                const auto start = std::chrono::steady_clock::now();
                drawing.tally += bands.Render(rowBegin, rowEnd, band);
                drawing.seconds += SecondsSince(start);
            },
            0,
            {}};
}

// Draws and writes the picture (bands: the escape-time picture, replayed already, to stream;
// none for the tree, which is replayed here), then the statistics; empty, or why the picture
// could not be written.
std::string DrawAndWrite(const RenderOptions& o, PictureSize window, HeadlessWindow& road,
                         std::optional<EscapeBands>& bands, OutputFile& out) {
    Drawing drawing;
    if (o.tree.on) {
        ReplayTree(o.tree, o.series, road);
        drawing = {road.View().LastEscapeTally, road.LastPaintSeconds()};
    }
    ProgressLine progress(window.height, !o.quiet && isatty(STDERR_FILENO));
    PngBands png = o.tree.on ? WholeImageBands(road.Image()) : EscapeTimeBands(*bands, drawing);
    png.texts = RecordedView(o, window, road);
    const bool written = WritePngBands(
        png, [&out](const std::uint8_t* data, std::size_t size) { return out.Write(data, size); },
        [&progress](int rows) { progress.Update(rows); });
    progress.Finish();
    if (!written) return out.Failure();
    if (std::string error = out.Commit(); !error.empty()) return error;
    if (o.stats && o.tree.on)
        std::cerr << TreeStatusLines(road) << "Zeit: " << drawing.seconds * 1e3 << " ms\n";
    else if (o.stats)
        PrintStats(road, drawing, bands->Scene().deep.get());
    return {};
}

int Run(const std::vector<std::string>& args) {
    const ParsedOptions parsed = ParseRenderOptions(args);
    if (parsed.options.help) {
        std::cout << RenderHelpText();
        return 0;
    }
    if (!parsed.error.empty()) return Fail(parsed.error);
    RenderOptions o = parsed.options;
    if (!o.view.empty())
        if (std::string error = TakeSavedView(o); !error.empty()) return Fail(error);
    if (!o.keyframes.empty()) {
        const std::string error = RunKeyframes(o);
        return error.empty() ? 0 : Fail(error);
    }
    const PictureSize window = o.window.value_or(o.screen);
    // The window is the visible part of the screen; a view written otherwise could not be read.
    if (window.width > o.screen.width || window.height > o.screen.height)
        return Fail("--window: " + SizeText(window) + " ist größer als die Gerätegröße " +
                    SizeText(o.screen));
    if (o.tree.on)
        if (std::string error = CheckPictureMemory(window.width, window.height, true);
            !error.empty())
            return Fail(error);
    // Deferred paints only prepare: the region is known, and checked, before anything is drawn.
    HeadlessWindow road(o.screen, window, o.tree.on ? Painter::Production : Painter::Deferred);
    std::optional<EscapeBands> bands;
    if (!o.tree.on) {
        Replay(o, road);
        if (std::string problem = DrawnRegionProblem(road.Document()); !problem.empty())
            return Fail(o.view.empty() ? problem
                                       : "--view: " + QuotedText(o.view) + ": " + problem);
        bands.emplace(road.Bands());
        const DeepScene* deep = bands->Scene().deep.get();
        if (std::string error = CheckPictureMemory(window.width, window.height, false,
                                                   deep ? std::uint64_t(deep->MemoryNeed()) : 0);
            !error.empty())
            return Fail(error);
    }
    OutputFile out;
    std::string error = out.Open(o.output, [&o] {
        if (isatty(STDERR_FILENO))
            std::cerr << "morvale-render: -o: " << QuotedText(o.output)
                      << " ist eine FIFO; warte, bis ein Leser sie öffnet …\n";
    });
    if (error.empty()) {
        if (std::string space = CheckPictureSpace(window.width, window.height, out.FreeBytes());
            !space.empty())
            return Fail(space);
        error = DrawAndWrite(o, window, road, bands, out);
    }
    if (!error.empty())
        return Fail("-o: " + QuotedText(o.output) + " kann nicht geschrieben werden (" + error +
                    ")");
    return 0;
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    return morvale::RunProgram("morvale-render", argc, argv, morvale::Run,
                               "nicht genug Arbeitsspeicher für dieses Bild");
}
