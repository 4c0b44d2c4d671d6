#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "DeepChecker.h"
#include "doc/Morvale1Doc.h"
#include "plane/JuliaFolds.h"
#include "render/EscapeRenderer.h"
#include "render/deep/DeepScene.h"
#include "view/drawing/DocumentScene.h"

namespace morvale {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 50 + 60;

std::string Text(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

class DeepSwitchTest : public ::testing::Test {
protected:
    void SetUp() {
        doc.SetPictureSize(kWidth, kHeight);
        doc.OnMandelbrot();
    }
    // A region at -0.75 + 0.1i whose steps are `factor` times 2^-48 of its largest magnitude.
    void TakeSteps(double factor) {
        const double step = std::ldexp(0.75 * factor, -48);
        doc.MandelTexts = {"-0.75", Text(-0.75 + kWidth * step), "0.1", Text(0.1 + kHeight * step),
                           "500"};
        doc.PresetChosen = 1;
    }
    // The colours are taken while the drawing's palette is realised, as a drawing takes them.
    EscapeScene Prepare() {
        doc.PrepareDrawing(&dc);
        EscapeScene scene = DocumentScene(doc, image.Surface()).value();
        colours = ColouringFromDevice(dc, 4);
        doc.FinishDrawing(&dc);
        return scene;
    }
    PixelImage Draw(const EscapeScene& scene) {
        PixelImage out(kWidth, kHeight - 50);
        RenderEscapeTime(scene, colours, out.Surface());
        return out;
    }

    CMorvale1Doc doc;
    EscapeColouring colours;
    PixelImage image{kWidth, kHeight - 50};
    CDC dc{image.Surface(), kWidth, kHeight};
};

TEST_F(DeepSwitchTest, AboveTheThresholdThePictureIsTheDoublePathsBitForBit) {
    TakeSteps(1.02);
    const EscapeScene on = Prepare();
    EXPECT_EQ(on.deep, nullptr);
    doc.DeepZoom = false;
    TakeSteps(1.02);
    PixelImage plain = Draw(Prepare());
    PixelImage drawn = Draw(on);
    for (int y = 0; y < kHeight - 50; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(drawn.Surface().At(x, y), plain.Surface().At(x, y)) << x << "," << y;
}

// Just below the threshold the deep path draws, and its counts are the full-precision ones.
TEST_F(DeepSwitchTest, BelowTheThresholdTheDeepPathTakesOver) {
    TakeSteps(0.98);
    const EscapeScene deep = Prepare();
    ASSERT_NE(deep.deep, nullptr);
    const std::shared_ptr<const DeepPicture> picture = deep.deep->Prepared(nullptr);
    for (int y = 0; y < kHeight - 50; y += 7)
        for (int x = 0; x < kWidth; x += 7)
            EXPECT_EQ(picture->Iterate(x, y).k,
                      CheckDeepPixel({doc.MandelDeep, "0", "0", kWidth, kHeight, 500}, x, y + 50).k)
                << x << "," << y;
    doc.DeepZoom = false;
    TakeSteps(0.98);
    EXPECT_EQ(Prepare().deep, nullptr);
}

// Twenty drags, each to a tenth of the picture, end far below what double resolves; once deep,
// every one keeps the selected box's size exactly (before, the doubles on the screen count).
TEST_F(DeepSwitchTest, ZoomsKeepFullPrecisionPastDouble) {
    doc.MandelTexts = {"-2", "1", "-1.25", "1.5", "300"};
    doc.PresetChosen = 1;
    Prepare();
    int deepZooms = 0;
    EscapeScene last;
    for (int i = 0; i < 20; ++i) {
        const bool deep = doc.MandelIsDeep;
        deepZooms += deep;
        const BigFloat before = doc.MandelDeep.Value(1) - doc.MandelDeep.Value(0);
        doc.SetZoom(37, 11, 37 + kWidth / 10, 11 + kHeight / 10, 1);
        last = Prepare();
        const BigFloat after = doc.MandelDeep.Value(1) - doc.MandelDeep.Value(0);
        const double ratio = (after / before).ToDouble();
        if (deep) {
            ASSERT_NEAR(ratio, 0.1, 1e-25) << "zoom " << i;
        }
    }
    EXPECT_GE(deepZooms, 5);
    EXPECT_NE(last.deep, nullptr);
    // Back to a view drawn deep restores its full-precision region, not its doubles.
    const std::optional<PlaneView> view = doc.CurrentView();
    ASSERT_TRUE(view && view->deep);
    doc.SetZoom(1, 1, 9, 9, 1);
    Prepare();
    doc.ShowView(*view);
    EXPECT_NE(Prepare().deep, nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(doc.MandelDeep.Value(i), view->deep->Value(i));
    Prepare();
    // The one-shot rule: a repaint without a request returns to the texts.
    EXPECT_EQ(doc.MandelDeep.Value(1).ToDouble(), 1.0);
}

}  // namespace
}  // namespace morvale

namespace morvale {
namespace {

// Around 0 the first step squares the pixels' spread: c = i from 1e-12 down goes deep whatever
// the picture's centre, also exactly 0; a picture of the whole set does not.
TEST(JuliaFoldSwitch, AroundZeroThePictureGoesDeep) {
    const auto fold = [](const char* lo, const char* hi, int limit) {
        return JuliaOrbitsFold(DeepRegion::FromTexts(true, {lo, hi, lo, hi, "0", "1"}), 96, 104,
                               limit);
    };
    EXPECT_TRUE(fold("-1e-12", "1e-12", 128));
    EXPECT_TRUE(fold("-1e-12", "1.1e-12", 3000));
    EXPECT_FALSE(fold("-2", "2", 3000));
    // A strip one pixel step high and the width of the set: the orbit of 0 stays put while the
    // spread squares at every step, for thousands of steps.
    EXPECT_FALSE(JuliaOrbitsFold(
        DeepRegion::FromTexts(true, {"-1.2", "1.2", "-1e-9", "1e-9", "0", "0"}), 9, 60, 3000));
}

}  // namespace
}  // namespace morvale
