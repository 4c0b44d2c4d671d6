// One picture's road written down, drawn by the production renderer or by the plain loop.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "presets/PresetTables.h"
#include "render/EscapeRenderer.h"
#include "view/HeadlessWindow.h"
#include "view/drawing/DocumentScene.h"

namespace morvale::testing {

struct RoadScript {
    Fractal kind = Fractal::Mandelbrot;
    std::vector<std::string> texts;  // empty: no dialog taken
    std::optional<int> depth;
    int series = 7;
    PictureSize screen{192, 108};
    PictureSize window{192, 58};
    std::vector<std::pair<CPoint, CPoint>> zooms;
};

inline RoadScript Script(Fractal kind, std::vector<std::string> texts) {
    RoadScript script;
    script.kind = kind;
    script.texts = std::move(texts);
    return script;
}

inline std::vector<std::string> MandelRow(std::size_t row) {
    return {MandelPresets[row].begin(), MandelPresets[row].end()};
}
inline std::vector<std::string> JuliaRow(std::size_t row) {
    return {JuliaPresets[row].begin(), JuliaPresets[row].end()};
}

inline void Replay(const RoadScript& script, HeadlessWindow& road) {
    road.ChooseKind(script.kind);
    if (!script.texts.empty()) road.TakeTexts(script.texts);
    if (script.depth) road.TypeDepth(*script.depth);
    road.ChooseSeries(script.series);
    road.PressDraw();
    for (const auto& [from, to] : script.zooms) road.Drag(from, to);
}

inline PixelImage Draw(const RoadScript& script, Painter painter) {
    HeadlessWindow road(script.screen, script.window, painter);
    Replay(script, road);
    return road.Image();
}

// The last drawing of the script again, straight through the renderer with a chosen strategy
// (the document keeps the prepared region, steps and limit after a drawing).
inline PixelImage DrawWithStrategy(const RoadScript& script, EscapeStrategy strategy) {
    HeadlessWindow road(script.screen, script.window);
    Replay(script, road);
    PixelImage image(script.window.width, script.window.height, kBackground);
    CDC dc(image.Surface(), script.screen.width, script.screen.height);
    CMorvale1Doc& doc = road.Document();
    doc.BuildPalette(&dc);
    const EscapeScene scene = DocumentScene(doc, image.Surface()).value();
    RenderEscapeTime(scene, ColouringFromDevice(dc, script.series), image.Surface(), strategy);
    doc.FinishDrawing(&dc);
    return image;
}

// Equal images, or the first differing pixel.
inline ::testing::AssertionResult SamePixels(const PixelImage& expected, const PixelImage& actual) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (expected.At(x, y) != actual.At(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << "): expected " << std::hex
                       << expected.At(x, y) << ", got " << actual.At(x, y);
    return ::testing::AssertionSuccess();
}

// Pixels that are not the background: a picture that shows nothing proves nothing.
inline int PaintedPixels(const PixelImage& image) {
    int painted = 0;
    for (const Pixel p : image.Pixels()) painted += p != kBackground;
    return painted;
}

}  // namespace morvale::testing
