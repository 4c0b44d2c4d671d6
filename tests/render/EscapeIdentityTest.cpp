// The production renderer against the plain loop, pixel for pixel, along many roads.
#include <gtest/gtest.h>

#include "RoadScript.h"

namespace morvale::testing {
namespace {

// Production (as the view draws), both lane strategies, and the plain loop must agree.
void ExpectIdentity(const RoadScript& script) {
    const PixelImage reference = Draw(script, Painter::Reference);
    EXPECT_TRUE(SamePixels(reference, Draw(script, Painter::Production)));
    EXPECT_TRUE(SamePixels(reference, DrawWithStrategy(script, EscapeStrategy::Groups)));
    EXPECT_TRUE(SamePixels(reference, DrawWithStrategy(script, EscapeStrategy::Refill)));
}

struct PresetCase {
    Fractal kind;
    std::size_t row;
};

void PrintTo(const PresetCase& c, std::ostream* out) {
    *out << (c.kind == Fractal::Julia ? "Julia row " : "Mandelbrot row ") << c.row;
}

std::vector<PresetCase> AllPresets() {
    std::vector<PresetCase> cases;
    for (std::size_t r = 0; r < JuliaPresets.size(); ++r) cases.push_back({Fractal::Julia, r});
    for (std::size_t r = 0; r < MandelPresets.size(); ++r)
        cases.push_back({Fractal::Mandelbrot, r});
    return cases;
}

class PresetIdentity : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PresetIdentity, MatchesThePlainLoopPixelForPixel) {
    const PresetCase c = GetParam();
    RoadScript script;
    script.kind = c.kind;
    script.texts = c.kind == Fractal::Julia ? JuliaRow(c.row) : MandelRow(c.row);
    script.series = int(c.row % 7) + 1;
    ExpectIdentity(script);
    EXPECT_EQ(PaintedPixels(Draw(script, Painter::Production)), 192 * 58);
}

INSTANTIATE_TEST_SUITE_P(AllPresets, PresetIdentity, ::testing::ValuesIn(AllPresets()),
                         [](const ::testing::TestParamInfo<PresetCase>& info) {
                             return std::string(info.param.kind == Fractal::Julia ? "Julia"
                                                                                  : "Mandel") +
                                    std::to_string(info.param.row);
                         });

TEST(EscapeIdentity, EverySeriesOfAJuliaAndAMandelbrotView) {
    for (int series = 1; series <= 7; ++series) {
        SCOPED_TRACE(series);
        RoadScript julia = Script(Fractal::Julia, JuliaRow(16));
        julia.series = series;
        ExpectIdentity(julia);
        RoadScript mandel = Script(Fractal::Mandelbrot, MandelRow(1));
        mandel.series = series;
        ExpectIdentity(mandel);
    }
}

TEST(EscapeIdentity, WindowsSmallerAndLargerThanTheVisibleDevice) {
    const PictureSize windows[] = {{100, 30}, {192, 108}, {250, 80}, {1, 1}, {191, 57}};
    for (const PictureSize window : windows) {
        SCOPED_TRACE(window.width);
        RoadScript script = Script(Fractal::Mandelbrot, MandelRow(9));
        script.window = window;
        ExpectIdentity(script);
    }
    // A device of no more than the hidden rows shows nothing at all.
    RoadScript flat = Script(Fractal::Julia, JuliaRow(0));
    flat.screen = {192, 50};
    ExpectIdentity(flat);
    EXPECT_EQ(PaintedPixels(Draw(flat, Painter::Production)), 0);
}

TEST(EscapeIdentity, OddWidthsLeaveNoLaneBehind) {
    for (const int width : {1, 3, 5, 17, 33, 67}) {
        SCOPED_TRACE(width);
        RoadScript script = Script(Fractal::Mandelbrot, MandelRow(0));
        script.screen = {width, 70};
        script.window = {width, 20};
        ExpectIdentity(script);
        EXPECT_EQ(PaintedPixels(Draw(script, Painter::Production)), width * 20);
    }
}

TEST(EscapeIdentity, AfterZoomsPlainMirroredAndOfZeroSize) {
    const std::pair<CPoint, CPoint> drags[] = {
        {{40, 10}, {120, 50}},    // ordinary
        {{120, 50}, {40, 10}},    // right to left and bottom to top: mirrored both ways
        {{30, 40}, {150, 5}},     // mirrored vertically only
        {{60, 20}, {60, 20}},     // no size: every pixel the same point
        {{-30, -60}, {400, 90}},  // beyond the window
    };
    for (const auto& drag : drags) {
        SCOPED_TRACE(drag.first.x);
        RoadScript mandel = Script(Fractal::Mandelbrot, MandelRow(0));
        mandel.zooms = {drag};
        ExpectIdentity(mandel);
        RoadScript julia = Script(Fractal::Julia, JuliaRow(13));
        julia.zooms = {drag};
        ExpectIdentity(julia);
    }
    // A stated rectangle of no size is a zoom to one point, not a click.
    HeadlessWindow point({256, 128}, {256, 128});
    Replay(Script(Fractal::Mandelbrot, MandelRow(0)), point);
    point.Drag({60, 20}, {60, 20});
    EXPECT_EQ(point.Document().MandelStepX, 0.0);
    RoadScript twice = Script(Fractal::Mandelbrot, MandelRow(14));
    twice.zooms = {{{20, 5}, {170, 50}}, {{100, 30}, {20, 2}}};
    ExpectIdentity(twice);
}

TEST(EscapeIdentity, DepthsFromTheBox) {
    for (const int depth : {0, -1, -37, 1, 2, 9, 3000}) {
        SCOPED_TRACE(depth);
        for (int series : {2, 7}) {
            RoadScript script = Script(Fractal::Julia, JuliaRow(13));
            script.depth = depth;
            script.series = series;
            ExpectIdentity(script);
        }
    }
}

TEST(EscapeIdentity, DeepInteriorDecidedByCyclesKeepsEveryPixel) {
    // Most of this picture is inside the set; its points settle into exact cycles.
    RoadScript script = Script(Fractal::Mandelbrot, MandelRow(0));
    script.screen = {48, 64};
    script.window = {48, 14};
    script.depth = 60000;
    ExpectIdentity(script);
    RoadScript julia = Script(Fractal::Julia, JuliaRow(13));
    julia.screen = {48, 64};
    julia.window = {48, 14};
    julia.depth = 60000;
    ExpectIdentity(julia);
}

}  // namespace
}  // namespace morvale::testing
