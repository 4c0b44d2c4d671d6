#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <string>
#include <vector>

#include "DeepChecker.h"
#include "RandomViews.h"
#include "plane/JuliaFolds.h"
#include "render/EscapeRenderer.h"
#include "render/deep/DeepPicture.h"
#include "render/deep/DeepScene.h"

namespace morvale {
namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 50 + 32;  // the first 50 sample rows are hidden, as on the screen

struct Location {
    bool julia;
    const char* re;
    const char* im;
    const char* height;
    const char* p;
    const char* q;
    int limit;
};

// Pixels walked side by side, a row at a time, end exactly as each walked alone, with every
// instruction set the lanes are compiled for.
void ExpectRowsAsWalkedAlone(const DeepPicture& picture, int columns, int rows, int stride = 1) {
    std::vector<DeepPicture::Result> alone, row(static_cast<std::size_t>(columns));
    for (int y = 0; y < rows; y += stride)
        for (int x = 0; x < columns; ++x) alone.push_back(picture.Iterate(x, y));
    for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        hwy::GetChosenTarget().Update(hwy::SupportedTargets());
        auto expected = alone.begin();
        for (int y = 0; y < rows; y += stride) {
            picture.IterateRow(y, 0, columns, row.data());
            for (int x = 0; x < columns; ++x, ++expected) {
                const DeepPicture::Result& r = row[std::size_t(x)];
                const auto at = ::testing::Message()
                                << hwy::TargetName(target) << " " << x << "," << y;
                EXPECT_EQ(r.k, expected->k) << at;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(r.m),
                          std::bit_cast<std::uint64_t>(expected->m))
                    << at;
                EXPECT_EQ(r.forEver, expected->forEver) << at;
                EXPECT_EQ(r.passes, expected->passes) << at;
            }
        }
    }
    hwy::SetSupportedTargetsForTest(0);
    hwy::GetChosenTarget().Update(hwy::SupportedTargets());
}

// Every visible pixel against the full-precision brute force: at least 99.9 % identical counts,
// every other within max(2, 0.1 %).
void ExpectAgreement(const Location& at, int stride = 1, std::int64_t budget = kDeepMemoryBudget) {
    const DeepRegion region =
        DeepRegion::FromCentre(at.julia, at.re, at.im, at.height, at.p, at.q, kWidth, kHeight, 50);
    ASSERT_TRUE(region.NeedsDeep(kWidth, kHeight) ||
                (at.julia && JuliaOrbitsFold(region, kWidth, kHeight, at.limit)));
    DeepPicture picture;
    ASSERT_TRUE(picture.Prepare(
        region, {kWidth, kHeight, kWidth, 50, kHeight - 50, at.limit, budget}, nullptr, {}));
    int same = 0, total = 0;
    for (int y = 0; y < kHeight - 50; y += stride) {
        for (int x = 0; x < kWidth; x += stride) {
            const std::int64_t deep = picture.Iterate(x, y).k;
            const CheckedPixel full =
                CheckDeepPixel({region, at.p, at.q, kWidth, kHeight, at.limit}, x, y + 50);
            if (!full.settled) continue;
            const std::int64_t checked = full.k;
            ++total;
            same += deep == checked;
            EXPECT_LE(std::llabs(deep - checked), std::max<std::int64_t>(2, checked / 1000))
                << at.height << " column " << x << " row " << y << " deep " << deep << " full "
                << checked;
        }
    }
    EXPECT_GE(same * 1000, total * 999) << at.height;
    ExpectRowsAsWalkedAlone(picture, kWidth, kHeight - 50, stride);
    const int sampled = (kWidth / stride) * ((kHeight - 50) / stride);
    EXPECT_GE(total, sampled - 2) << at.height;  // only the points on a cycle
}

TEST(DeepPicture, AgreesWithTheFullPrecisionLoopOnMandelbrotViews) {
    // Around c = i, the seahorse valley centre of a widely published zoom sequence, and the tip.
    ExpectAgreement({false, "0", "1", "1e-20", "0", "0", 3000});
    ExpectAgreement({false, "-0.743643887037158704752191506114774",
                     "0.131825904205311970493132056385139", "1e-25", "0", "0", 3000});
    ExpectAgreement({false, "-2", "0", "1e-160", "0", "0", 3000});
    ExpectAgreement({false, "0", "1", "1e-320", "0", "0", 3000});
}

TEST(DeepPicture, AgreesWithTheFullPrecisionLoopOnJuliaViews) {
    ExpectAgreement({true, "0", "1", "1e-20", "0", "1", 3000});
    ExpectAgreement({true, "-1", "1", "1e-150", "0", "1", 3000});
    ExpectAgreement({true, "0", "1", "1e-320", "0", "1", 3000});
    // Around 0 the first step squares every offset to below 1e-400: only kept apart in FloatExp.
    ExpectAgreement({true, "0", "0", "1e-200", "0", "1", 3000}, 3);
}

// Views the code under test did not choose: preperiodic Mandelbrot points, Julia sets with every
// kind of critical orbit, and preimages of 0, from 1e-5 to 1e-600.
TEST(DeepPicture, AgreesWithTheFullPrecisionLoopOnRandomViews) {
    for (const std::uint64_t seed : {1u, 2u})
        for (const RandomView& v : RandomViews(seed, 5, 5, 600)) {
            SCOPED_TRACE(v.kind + " at " + v.height);
            ExpectAgreement({v.julia, v.re.c_str(), v.im.c_str(), v.height.c_str(), v.p.c_str(),
                             v.q.c_str(), v.limit},
                            5);
        }
}

// A budget of 400 iterations for a limit of 3,000: pixels that outlive the reference go on from
// its start, outside the set and inside a minibrot, Mandelbrot and Julia.
TEST(DeepPicture, AgreesWithTheFullPrecisionLoopBeyondTheBudgetsEnd) {
    const std::int64_t budget = 400 * 32;
    ExpectAgreement({false, "-0.743643887037158704752191506114774",
                     "0.131825904205311970493132056385139", "1e-25", "0", "0", 3000},
                    1, budget);
    ExpectAgreement({false, "-1.75487766624669276", "0", "1e-18", "0", "0", 3000}, 3, budget);
    ExpectAgreement({true, "0", "1", "1e-20", "0", "1", 3000}, 1, 2 * budget);
}

TEST(DeepPicture, StopsWhileTheReferenceIsComputed) {
    const DeepRegion region =
        DeepRegion::FromCentre(false, "0", "1", "1e-30", "0", "0", kWidth, kHeight, 50);
    std::atomic<bool> stop{false};
    std::int64_t reported = 0;
    DeepPicture picture;
    // c = i never escapes: without the stop the reference would run to the budget.
    const bool ready =
        picture.Prepare(region, {kWidth, kHeight, kWidth, 50, kHeight - 50, 2'000'000'000}, &stop,
                        [&](std::int64_t done) {
                            reported = done;
                            stop = true;
                        });
    EXPECT_FALSE(ready);
    EXPECT_EQ(reported, ReferenceOrbit::CheckInterval(region.SampleBits(kWidth, kHeight)));
}

TEST(DeepPicture, StopsWithinAFewIterationsOfAFineReference) {
    // Tens of thousands of bits: an iteration of the reference costs a sizeable fraction of a
    // millisecond, so the flag must be seen after a few of them, not after thousands.
    const DeepRegion region =
        DeepRegion::FromCentre(false, "0", "1", "1e-10000", "0", "0", kWidth, kHeight, 50);
    ASSERT_GT(region.SampleBits(kWidth, kHeight), 30000);
    std::atomic<bool> stop{false};
    std::int64_t reports = 0;
    DeepPicture picture;
    const bool ready =
        picture.Prepare(region, {kWidth, kHeight, kWidth, 50, kHeight - 50, 2'000'000'000}, &stop,
                        [&](std::int64_t) {
                            ++reports;
                            stop = true;
                        });
    EXPECT_FALSE(ready);
    EXPECT_EQ(reports, 1);
    EXPECT_GT(picture.Timings().referenceLength, 0);
    EXPECT_LE(picture.Timings().referenceLength, 100);
}

TEST(DeepPicture, JuliaReferenceProgressRunsOnceOverBothOrbits) {
    // c = i: both orbits stay bounded and run to the limit.
    const DeepRegion region =
        DeepRegion::FromCentre(true, "0", "1", "1e-30", "0", "1", kWidth, kHeight, 50);
    const DeepFrame frame{kWidth, kHeight, kWidth, 50, kHeight - 50, 100'000};
    std::vector<std::int64_t> reports;
    DeepPicture picture;
    ASSERT_TRUE(picture.Prepare(region, frame, nullptr,
                                [&](std::int64_t done) { reports.push_back(done); }));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_GT(reports.back(), DeepPicture::ReferenceWork(frame, false));
    EXPECT_LE(reports.back(), DeepPicture::ReferenceWork(frame, true));
}

TEST(DeepPicture, StopsWithinAPixelAtTheLargestLimit) {
    // The reference at c = 1 escapes at once; the pixel at c = 0 never does and rebases onto it
    // for ever.
    const DeepRegion region = DeepRegion::FromTexts(false, {"-1", "3", "-2", "2", "0", "0"});
    std::atomic<bool> stop{false};
    DeepPicture picture;
    ASSERT_TRUE(picture.Prepare(region, {4, 4, 4, 0, 4, 2'000'000'000}, &stop, {}));
    EXPECT_EQ(picture.Iterate(0, 0).k, 2);  // c = -1 - 2i: two iterates stay within
    stop = true;
    EXPECT_LT(picture.Iterate(1, 2).k, 2'000'000'000);  // c = 0
    // A stopped drawing marks no rows.
    EscapeProgress progress(4);
    EscapeScene scene;
    scene.limit = 100;
    scene.columns = scene.rows = 4;
    scene.firstSampleRow = 0;
    scene.stop = progress.StopFlag();
    scene.deep = std::make_shared<DeepScene>(region, DeepFrame{4, 4, 4, 0, 4, 100});
    progress.Cancel();
    Pixel pixels[16] = {};
    RenderEscapeTime(scene, {}, PixelSurface{pixels, 4, 4, 4}, EscapeStrategy::Automatic,
                     &progress);
    EXPECT_EQ(progress.RowsDone(), 0);
}

// The nucleus of the period-26 minibrot nearest the tip: about 1e-29 across.
constexpr const char* kTipMinibrot =
    "-1.999999999999996712761384990600845404975533893784487394834697184155573";
// The basilica's fixed point on the real axis: its basin's components crowd around it.
constexpr const char* kBasilicaBeta = "1.6180339887498948482045868343656381177203091798057628621";

DeepPicture Prepared(const Location& at, int side) {
    const DeepRegion region =
        DeepRegion::FromCentre(at.julia, at.re, at.im, at.height, at.p, at.q, side, side + 50, 50);
    DeepPicture picture;
    EXPECT_TRUE(picture.Prepare(region, {side, side + 50, side, 50, side, at.limit}, nullptr, {}));
    return picture;
}

TEST(DeepPicture, EndsInsidePixelsOnTheirCycles) {
    // Minibrot interiors with the nucleus for reference, and a basin of a Julia set's cycle.
    for (const Location& at : {Location{false, kTipMinibrot, "0", "1e-31", "0", "0", 1'000'000},
                               Location{false, "-1.75487766624669276004950889635852869189", "0",
                                        "1e-30", "0", "0", 1'000'000},
                               Location{true, "0.1", "0.1", "1e-30", "-1", "0", 1'000'000}}) {
        const DeepPicture picture = Prepared(at, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const DeepPicture::Result r = picture.Iterate(x, y);
                EXPECT_EQ(r.k, at.limit) << at.re << " " << x << "," << y;
                EXPECT_TRUE(r.forEver) << at.re << " " << x << "," << y;
                EXPECT_LT(r.passes, at.limit / 100) << at.re << " " << x << "," << y;
            }
    }
}

TEST(DeepPicture, EndsCyclesWithTheCountsOfTheWholeRun) {
    for (const Location& at : {Location{false, kTipMinibrot, "0", "1e-28", "0", "0", 100'000},
                               Location{true, kBasilicaBeta, "0", "1e-25", "-1", "0", 100'000}}) {
        DeepPicture picture = Prepared(at, 32);
        std::vector<DeepPicture::Result> ended;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ended.push_back(picture.Iterate(x, y));
        EXPECT_TRUE(std::ranges::any_of(ended, &DeepPicture::Result::forEver)) << at.re;
        EXPECT_TRUE(std::ranges::any_of(ended, [&](const auto& r) { return r.k < at.limit; }));
        ExpectRowsAsWalkedAlone(picture, 32, 32, 4);
        picture.DetectCycles(false);
        ExpectRowsAsWalkedAlone(picture, 32, 32, 8);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const DeepPicture::Result whole = picture.Iterate(x, y);
                const DeepPicture::Result& r = ended[std::size_t(y * 32 + x)];
                EXPECT_EQ(r.k, whole.k) << at.re << " " << x << "," << y;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(r.m), std::bit_cast<std::uint64_t>(whole.m));
            }
    }
}

}  // namespace
}  // namespace morvale
