// The production renderer on tiny devices with any texts (NaN, infinities, huge values), any
// typed depth, any series and zoom drags must give the plain loop's pixels, wherever a double
// resolves the pixels. Work per case stays small: high iteration limits are compared only where
// every visible point escapes early, otherwise the picture is drawn again with a shallow depth
// from the box.
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include "FuzzInput.h"
#include "render/EscapeRenderer.h"
#include "view/HeadlessWindow.h"
#include "view/drawing/DocumentScene.h"

using namespace morvale;

namespace {

constexpr int kShallow = 1500;  // iterations per point the plain loop may spend

void Check(bool ok) {
    if (!ok) std::abort();
}

struct Script {
    Fractal kind = Fractal::Mandelbrot;
    std::vector<std::string> texts;
    std::optional<int> depth;
    int series = 7;
    PictureSize screen;
    PictureSize window;
    std::vector<std::pair<CPoint, CPoint>> zooms;
};

Script ReadScript(fuzz::FuzzInput& in) {
    Script s;
    s.kind = in.TakeInt(0, 1) ? Fractal::Julia : Fractal::Mandelbrot;
    s.series = in.TakeInt(1, 7);
    s.screen = {in.TakeInt(1, 9), in.TakeInt(0, 60)};
    s.window = {in.TakeInt(0, 9), in.TakeInt(0, 10)};
    const int zooms = in.TakeInt(0, 2);
    for (int z = 0; z < zooms; ++z) {
        const CPoint from{in.TakeInt(-10, 12), in.TakeInt(-10, 12)};
        s.zooms.push_back({from, CPoint{in.TakeInt(-10, 12), in.TakeInt(-10, 12)}});
    }
    if (in.TakeInt(0, 1)) s.depth = in.Take<int>();
    if (in.TakeInt(0, 3)) {
        const int count = s.kind == Fractal::Julia ? 7 : 5;
        for (int t = 0; t < count; ++t) s.texts.push_back(in.TakeText());
    }
    return s;
}

// afterDrawing runs after each drawing, the draw command's and every zoom's.
template <class AfterDrawing>
void Replay(const Script& s, HeadlessWindow& road, std::optional<int> depth,
            AfterDrawing afterDrawing) {
    road.ChooseKind(s.kind);
    if (!s.texts.empty()) road.TakeTexts(s.texts);
    if (depth) road.TypeDepth(*depth);
    road.ChooseSeries(s.series);
    road.PressDraw();
    afterDrawing();
    for (const auto& [from, to] : s.zooms) {
        road.Drag(from, to);
        afterDrawing();
    }
}

void Replay(const Script& s, HeadlessWindow& road, std::optional<int> depth) {
    Replay(s, road, depth, [] {});
}

// The production drawing, or nothing when one of its pictures went past double precision:
// those pixels are the deep path's and the plain loop cannot give them.
std::optional<PixelImage> Draw(const Script& s, std::optional<int> depth) {
    HeadlessWindow road(s.screen, s.window, Painter::Production);
    bool deep = false;
    Replay(s, road, depth, [&] {
        const std::optional<PlaneView> view = road.Document().CurrentView();
        deep = deep || (view && view->deep);
    });
    if (deep) return std::nullopt;
    return road.Image();
}

bool Same(const PixelImage& a, const PixelImage& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.Pixels() == b.Pixels();
}

// Whether every visible point of the road's last picture leaves the bound within `budget`
// iterations, the plain loop's arithmetic.
bool EscapesEarly(HeadlessWindow& road, const Script& s, int budget) {
    PixelImage probe(s.window.width, s.window.height);
    const EscapeScene scene = DocumentScene(road.Document(), probe.Surface()).value();
    for (int x = 0; x < scene.columns; ++x) {
        for (int y = 0; y < scene.rows; ++y) {
            const double px = x * scene.stepX + scene.xMin;
            const double py = (y + scene.firstSampleRow) * scene.stepY + scene.yMin;
            double zr = scene.julia ? px : 0.0, zi = scene.julia ? py : 0.0;
            const double cr = scene.julia ? scene.cr : px, ci = scene.julia ? scene.ci : py;
            int k = 0;
            for (; k < budget; ++k) {
                const double t = zr * zr - zi * zi + cr;
                zi = 2.0 * zr * zi + ci;
                zr = t;
                if (!(zr * zr + zi * zi <= kEscapeBound)) break;
            }
            if (k >= budget) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const Script s = ReadScript(in);

    // The limit the drawings run with, found without drawing anything (a device of no pixels).
    Script empty = s;
    empty.screen = empty.window = {0, 0};
    HeadlessWindow probe(empty.screen, empty.window, Painter::Reference);
    Replay(empty, probe, s.depth);
    const int limit = probe.Document().IterationLimit;

    if (limit <= kShallow) {
        HeadlessWindow plain(s.screen, s.window, Painter::Reference);
        Replay(s, plain, s.depth);
        const std::optional<PixelImage> drawn = Draw(s, s.depth);
        Check(!drawn || Same(plain.Image(), *drawn));
        return 0;
    }
    // Deep: the plain loop with a shallow limit gives the same pixels when all points of every
    // drawing escape before it.
    HeadlessWindow shallow(s.screen, s.window, Painter::Reference);
    bool early = true;
    Replay(s, shallow, kShallow, [&] { early = early && EscapesEarly(shallow, s, kShallow - 1); });
    const std::optional<PixelImage> drawn = Draw(s, early ? s.depth : kShallow);
    Check(!drawn || Same(shallow.Image(), *drawn));
    return 0;
}
