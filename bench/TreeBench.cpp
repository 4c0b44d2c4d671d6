// The branching tree in the window's drawing path: view, device context and status panes.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "doc/Morvale1Doc.h"
#include "platform/CDC.h"
#include "platform/PixelSurface.h"
#include "view/FractalView.h"
#include "view/tree/TreeWalker.h"

namespace morvale {
namespace {

// Keeps the pane texts the way a status bar would.
class PaneFrame : public IMainFrame {
public:
    void SetWindowText(const std::string&) override {}
    void SetPaneInfo(int index, UINT, PaneStyle, int width) override {
        widths[std::size_t(index)] = width;
    }
    void SetPaneText(int index, const std::string& text, bool) override {
        texts[std::size_t(index)] = text;
    }
    void SetDepthBoxText(const std::string&) override {}
    std::array<int, kPaneCount> widths{};
    std::array<std::string, kPaneCount> texts;
};

class Counter : public TreeCanvas {
public:
    void MoveTo(TreePoint) override {}
    void LineTo(TreePoint, COLORREF) override { ++segments; }
    void NodeDone() override { ++nodes; }
    long long segments = 0;
    long long nodes = 0;
};

void PaintTrees(benchmark::State& state, int branches, int redux) {
    PaneFrame frame;
    CMorvale1Doc doc;
    CFractalView view(&doc);
    view.SetMainFrame(&frame);
    view.ViewMode = Drawing::Tree;
    view.Branches = branches;
    view.Redux = redux;
    PixelImage image(1280, 1024, PixelFromRgb(192, 192, 192));
    for (auto _ : state) {
        CDC dc(image.Surface(), 1280, 1024);
        view.OnDraw(&dc);
        benchmark::DoNotOptimize(image.Pixels().data());
    }
    TreeParams params;
    params.branches = branches;
    params.redux = redux;
    TreeRandom random;
    COLORREF pen = 0;
    Counter counter;
    TreeWalker(params, random, pen, counter).Grow(view.Segments, {view.RootX, view.RootY});
    state.counters["segments"] = double(counter.segments);
    state.counters["invocations"] = double(counter.nodes);
    state.counters["segments/s"] =
        benchmark::Counter(double(counter.segments), benchmark::Counter::kIsIterationInvariantRate);
}

void DefaultTree(benchmark::State& state) {
    PaintTrees(state, 7, 3);
}
void TwentyBranchesReduxTwo(benchmark::State& state) {
    PaintTrees(state, 20, 2);
}

BENCHMARK(DefaultTree)->Unit(benchmark::kMillisecond);
BENCHMARK(TwentyBranchesReduxTwo)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace morvale

BENCHMARK_MAIN();
