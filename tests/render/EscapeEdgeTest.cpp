// Edge cases of the escape-time drawing, checked on the pixels both paths draw.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "RoadScript.h"

namespace morvale::testing {
namespace {

constexpr Pixel kBlack = PixelFromRgb(0, 0, 0);

Pixel Entry(int index) {
    PALETTEENTRY e = MakeFractalPalette().palPalEntry[std::size_t(index)];
    return PixelFromRgb(e.peRed, e.peGreen, e.peBlue);
}

// A Julia picture whose every pixel starts at z = 0 with the constant (p, q).
RoadScript JuliaAtZero(const std::string& p, const std::string& q, int series) {
    RoadScript script = Script(Fractal::Julia, {"0", "0", "0", "0", p, q, "50"});
    script.series = series;
    script.screen = {16, 60};
    script.window = {16, 10};
    return script;
}

// Every pixel of both paths is `expected`.
void ExpectEverywhere(const RoadScript& script, Pixel expected) {
    for (const Painter painter : {Painter::Reference, Painter::Production}) {
        const PixelImage image = Draw(script, painter);
        for (const Pixel p : image.Pixels()) ASSERT_EQ(p, expected) << std::hex << p;
    }
}

TEST(EscapeEdge, NoKindChosenDrawsNothingButStillFinishesTheDrawing) {
    for (const Painter painter : {Painter::Reference, Painter::Production}) {
        HeadlessWindow road({64, 80}, {64, 30}, painter);
        road.Document().DepthFromBox = 1;
        road.Document().PresetChosen = 1;
        road.Document().ZoomPending = 1;
        road.PressDraw();
        EXPECT_EQ(road.View().ViewMode, Drawing::EscapeTime);
        EXPECT_EQ(PaintedPixels(road.Image()), 0);
        EXPECT_EQ(road.Document().DepthFromBox, 0);
        EXPECT_EQ(road.Document().PresetChosen, 0);
        EXPECT_EQ(road.Document().ZoomPending, 0);
        EXPECT_FALSE(road.Document().Palette.IsCreated());
    }
}

TEST(EscapeEdge, ProductionDrawingEndsLikeThePlainOne) {
    HeadlessWindow road({64, 80}, {64, 30});
    road.ChooseKind(Fractal::Mandelbrot);
    road.TakeTexts(MandelRow(0));
    road.TypeDepth(20);
    road.PressDraw();
    const CMorvale1Doc& doc = road.Document();
    EXPECT_EQ(doc.IterationLimit, 20);
    EXPECT_EQ(doc.DepthFromBox, 0);
    EXPECT_EQ(doc.PresetChosen, 0);
    EXPECT_FALSE(doc.Palette.IsCreated());
    EXPECT_EQ(road.View().PixelColumn, 64);
    EXPECT_EQ(road.View().PixelRow, 80);
    EXPECT_EQ(road.View().LastEscapeTally.pixels, 64 * 30);
    EXPECT_GT(road.View().LastEscapeTally.iterations, 64 * 30);
}

TEST(EscapeEdge, LimitZeroIsAllBlack) {
    RoadScript script = JuliaAtZero("11", "0", 4);
    script.depth = 0;
    ExpectEverywhere(script, kBlack);
}

TEST(EscapeEdge, NegativeLimitGivesColourZeroOfTheSeries) {
    RoadScript script = Script(Fractal::Mandelbrot, MandelRow(0));
    script.screen = {40, 70};
    script.window = {40, 20};
    script.depth = -3;
    script.series = 4;
    ExpectEverywhere(script, Entry(64));
    script.series = 6;
    ExpectEverywhere(script, Entry(320));
    script.series = 7;  // m keeps its start value 0.0
    ExpectEverywhere(script, Entry(0));
}

TEST(EscapeEdge, SquaredModulusOfExactlyOneHundredStaysInside) {
    // z: 0 -> 10 (m = 100, counted) -> 110 (m = 12100, escapes with k = 1).
    ExpectEverywhere(JuliaAtZero("10", "0", 1), Entry(1));
    ExpectEverywhere(JuliaAtZero("10", "0", 7), Entry(12100 % 384));
}

TEST(EscapeEdge, EscapeOnTheFirstIterationHasCountZero) {
    ExpectEverywhere(JuliaAtZero("11", "0", 5), Entry(192));
    ExpectEverywhere(JuliaAtZero("11", "0", 7), Entry(121));
    ExpectEverywhere(JuliaAtZero("20.0175", "0", 7), Entry(16));  // m = 400.7...
}

TEST(EscapeEdge, ModuliBeyondAnyIntStayInThePalette) {
    ExpectEverywhere(JuliaAtZero("1e10", "0", 7), Entry(int(std::fmod(1e20, 384.0))));
    ExpectEverywhere(JuliaAtZero("1e200", "0", 7), Entry(0));  // infinity
    ExpectEverywhere(JuliaAtZero("nan", "0", 7), Entry(0));
    ExpectEverywhere(JuliaAtZero("nan", "0", 3), Entry(256));  // not a number escapes at once
}

TEST(EscapeEdge, SeriesOneWrapsEverySixtyFourIterations) {
    // Just right of 0.25 on the real axis the escape count falls slowly through 64.
    RoadScript script = Script(Fractal::Mandelbrot, {"0.2501", "0.2531", "0", "0", "1000"});
    script.series = 1;
    script.screen = {600, 51};
    script.window = {600, 1};
    const PixelImage reference = Draw(script, Painter::Reference);
    const PixelImage production = Draw(script, Painter::Production);
    ASSERT_TRUE(SamePixels(reference, production));
    int seen64 = 0, seen65 = 0;
    for (int x = 0; x < 600; ++x) {
        const double c = x * ((0.2531 - 0.2501) / 600) + 0.2501;
        double zr = 0, zi = 0;
        int k = 0;
        for (; k < 1000; ++k) {
            const double t = zr * zr - zi * zi + c;
            zi = 2.0 * zr * zi;
            zr = t;
            if (zr * zr + zi * zi > 100) break;
        }
        if (k == 64) {
            ++seen64;
            EXPECT_EQ(production.At(x, 0), Entry(0));
        }
        if (k == 65) {
            ++seen65;
            EXPECT_EQ(production.At(x, 0), Entry(1));
        }
    }
    EXPECT_GT(seen64, 0);
    EXPECT_GT(seen65, 0);
}

TEST(EscapeEdge, ExactCyclesAreBlackWithoutRunningToTheLimit) {
    // Fixed points, a 2-cycle, a point that falls onto a fixed point and one that falls onto a
    // 2-cycle: with the greatest possible limit only cycle detection can finish this.
    const char* constants[][2] = {{"0", "0"}, {"-1", "0"}, {"-2", "0"}, {"0", "1"}};
    for (const auto& c : constants) {
        SCOPED_TRACE(c[0]);
        RoadScript script = Script(Fractal::Mandelbrot, {c[0], c[0], c[1], c[1], "0"});
        script.screen = {64, 60};
        script.window = {64, 10};
        script.depth = INT_MAX;
        HeadlessWindow road(script.screen, script.window);
        Replay(script, road);
        for (const Pixel p : road.Image().Pixels()) ASSERT_EQ(p, kBlack);
        EXPECT_EQ(road.View().LastEscapeTally.iterations, std::int64_t(INT_MAX) * 64 * 10);
    }
}

TEST(EscapeEdge, SampleRowFiftyIsClientRowZero) {
    // z0 = i·(r − 50), c = 0: rows 50 and 51 never escape, row 52 leaves after one iteration.
    RoadScript script = Script(Fractal::Julia, {"0", "0", "-50", "10", "0", "0", "40"});
    script.series = 1;
    script.screen = {4, 60};
    script.window = {4, 4};
    for (const Painter painter : {Painter::Reference, Painter::Production}) {
        const PixelImage image = Draw(script, painter);
        EXPECT_EQ(image.At(0, 0), kBlack);
        EXPECT_EQ(image.At(3, 1), kBlack);
        EXPECT_EQ(image.At(1, 2), Entry(1));
        EXPECT_EQ(image.At(2, 3), Entry(1));
    }
}

TEST(EscapeEdge, SeriesOutsideTheSevenDrawsOnlyTheInterior) {
    for (const Painter painter : {Painter::Reference, Painter::Production}) {
        HeadlessWindow road({96, 110}, {96, 60}, painter);
        road.ChooseKind(Fractal::Mandelbrot);
        road.TakeTexts(MandelRow(0));
        road.View().ColourSeries = 0;
        road.PressDraw();
        int black = 0, untouched = 0;
        for (const Pixel p : road.Image().Pixels()) {
            black += p == kBlack;
            untouched += p == kBackground;
        }
        EXPECT_GT(black, 0);
        EXPECT_GT(untouched, 0);
        EXPECT_EQ(black + untouched, 96 * 60);
    }
}

}  // namespace
}  // namespace morvale::testing
