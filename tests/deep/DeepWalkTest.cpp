#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeepChecker.h"
#include "RandomViews.h"
#include "render/deep/DeepPicture.h"
#include "view/HeadlessWindow.h"
#include "view/navigate/Navigation.h"

namespace morvale {
namespace {

constexpr PictureSize kScreen{96, 50 + 54};
constexpr int kLimit = 3000;

struct Walk {
    HeadlessWindow window{kScreen, {kScreen.width, kScreen.height - 50}, Painter::Deferred};
    const DeepRegion& Region() {
        CMorvale1Doc& doc = window.Document();
        return doc.FractalKind == Fractal::Julia ? doc.JuliaDeep : doc.MandelDeep;
    }
    // Wheel notches about the picture's middle; fast ones arrive before any row shows.
    void Notches(int count, double factor, bool fast) {
        for (int i = 0; i < count; ++i) {
            window.View().NavigateBy(ZoomAbout({kScreen.width, kScreen.height}, 48, 27, factor),
                                     fast);
            if (!fast) window.Repaint();
        }
        window.Repaint();
    }
};

// A sample of the picture the document now draws against the independent count.
void ExpectAgreement(const DeepRegion& region, const std::string& p, const std::string& q) {
    DeepPicture picture;
    ASSERT_TRUE(picture.Prepare(
        region, {kScreen.width, kScreen.height, kScreen.width, 50, 54, kLimit}, nullptr, {}));
    int compared = 0;
    for (int y = 3; y < 54; y += 12)
        for (int x = 5; x < 96; x += 22) {
            const CheckedPixel full =
                CheckDeepPixel({region, p, q, kScreen.width, kScreen.height, kLimit}, x, y + 50);
            if (!full.settled) continue;
            EXPECT_EQ(picture.Iterate(x, y).k, full.k) << x << "," << y;
            ++compared;
        }
    EXPECT_GE(compared, 18);
}

// The distance of two regions' bounds in pixels of the first.
double PixelsApart(const DeepRegion& a, const DeepRegion& b) {
    const BigFloat step = a.StepX(kScreen.width, 200);
    double apart = 0;
    for (int i = 0; i < 4; ++i)
        apart = std::max(apart, (Abs(a.Value(i) - b.Value(i)) / step).ToDouble());
    return apart;
}

// Sixty notches in cross the switch to the deep path, sixty out cross it back, and sixty in
// again come back to the same full-precision place: at boundary points of both kinds, and at 0
// of a Julia picture.
TEST(DeepWalk, WheelInOutAndInAgainComesBackToTheSameView) {
    const std::vector<RandomView> views = RandomViews(7, 5, 30, 31);
    const RandomView* walks[] = {&views[0], &views[2], &views[4]};
    for (const RandomView* v : walks) {
        SCOPED_TRACE(v->kind);
        Walk walk;
        walk.window.ChooseKind(v->julia ? Fractal::Julia : Fractal::Mandelbrot);
        const DeepRegion start = DeepRegion::FromCentre(v->julia, v->re, v->im, "0.01", v->p, v->q,
                                                        kScreen.width, kScreen.height, 50);
        std::vector<std::string> texts;
        for (int i = 0; i < 4; ++i) texts.push_back(start.Text(i, kScreen.width, kScreen.height));
        if (v->julia) texts.insert(texts.end(), {v->p, v->q});
        texts.push_back(std::to_string(kLimit));
        walk.window.TakeTexts(texts);
        walk.window.PressDraw();
        walk.Notches(60, 2.0, true);
        ASSERT_TRUE(walk.Region().NeedsDeep(kScreen.width, kScreen.height));
        EXPECT_NEAR(walk.Region().StepY(kScreen.height, 200).ToDouble() * 54, 0x1p-60 * 0.01,
                    0x1p-70 * 0.01);
        const DeepRegion deep = walk.Region();
        ExpectAgreement(deep, v->p, v->q);
        walk.Notches(60, 0.5, false);
        EXPECT_LT(PixelsApart(start, walk.Region()), 1e-6);
        walk.Notches(60, 2.0, true);
        EXPECT_LT(PixelsApart(deep, walk.Region()), 1e-6);
        const double sx = walk.Region().StepX(kScreen.width, 200).ToDouble();
        const double sy = walk.Region().StepY(kScreen.height, 200).ToDouble();
        EXPECT_NEAR(sx / sy,
                    start.StepX(kScreen.width, 200).ToDouble() /
                        start.StepY(kScreen.height, 200).ToDouble(),
                    1e-9);
    }
}

// Two hundred notches in and out at 1e-300, before any row shows or each drawn: both end where
// they began, with square pixels.
TEST(DeepWalk, FastNotchesComposeInFullPrecision) {
    for (const bool fast : {true, false}) {
        Walk walk;
        walk.window.ChooseKind(Fractal::Mandelbrot);
        const DeepRegion start = DeepRegion::FromCentre(false, "0", "1", "1e-300", "0", "0",
                                                        kScreen.width, kScreen.height, 50);
        std::vector<std::string> texts;
        for (int i = 0; i < 4; ++i) texts.push_back(start.Text(i, kScreen.width, kScreen.height));
        texts.push_back("100");
        walk.window.TakeTexts(texts);
        walk.window.PressDraw();
        walk.Notches(200, 2.0, fast);
        walk.Notches(200, 0.5, fast);
        EXPECT_LT(PixelsApart(start, walk.Region()), 1e-6) << fast;
    }
}

}  // namespace
}  // namespace morvale
