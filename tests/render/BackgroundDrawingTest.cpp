// The pieces of a drawing off the window's thread, without a window and without timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

#include "render/EscapeJob.h"
#include "render/deep/DeepScene.h"
#include "view/HeadlessWindow.h"
#include "view/drawing/BackgroundDrawing.h"

namespace morvale {
namespace {

TEST(EscapeProgressTest, RowsMarkedInAnyOrderAreTakenExactlyOnce) {
    constexpr int kRows = 500;
    EscapeProgress progress(kRows);
    std::vector<int> order(kRows);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    std::vector<int> taken(kRows, 0);
    const auto take = [&] {
        progress.TakeFinished([&](int begin, int end) {
            for (int y = begin; y < end; ++y) ++taken[std::size_t(y)];
        });
    };
    {
        std::vector<std::jthread> markers;
        for (int t = 0; t < 4; ++t)
            markers.emplace_back([&, t] {
                for (int i = t; i < kRows; i += 4) progress.MarkDone(order[i], order[i] + 1);
            });
        while (progress.RowsDone() < kRows) take();
    }
    take();
    EXPECT_EQ(std::count(taken.begin(), taken.end(), 1), kRows);
    EXPECT_FALSE(progress.TakeFinished([](int, int) {}));
}

// The Siegel disk of golden-mean rotation: its points circle for ever, never repeating.
EscapeScene SiegelDisk(int limit) {
    EscapeScene scene;
    scene.julia = true;
    scene.xMin = -1.5;
    scene.yMin = -1.0;
    scene.stepX = scene.stepY = 1.0 / 32;
    scene.cr = -0.390540870218399;
    scene.ci = -0.586787907346969;
    scene.limit = limit;
    scene.columns = 96;
    scene.rows = 64;
    scene.firstSampleRow = 0;
    return scene;
}

TEST(EscapeJobTest, ACancelledJobEndsOnceWithTheRowsItFinishedCounted) {
    PixelImage image(96, 64);
    std::atomic<int> ends = 0;
    EscapeTally tally;
    int rowsDone = 0;
    {
        EscapeJob job(SiegelDisk(2000000000), EscapeColouring{}, image.Surface(), [&] { ++ends; });
        job.Cancel();
        job.Wait();
        EXPECT_FALSE(job.Complete());
        tally = job.Tally();
        rowsDone = job.Progress().RowsDone();
    }
    EXPECT_EQ(ends, 1);
    EXPECT_LT(rowsDone, 64);
    EXPECT_GE(tally.pixels, std::int64_t(rowsDone) * 96);
    EXPECT_LE(tally.pixels, 96 * 64);
}

TEST(EscapeJobTest, ACancelAfterTheLastRowLeavesTheJobComplete) {
    PixelImage image(96, 64);
    EscapeJob job(SiegelDisk(50), EscapeColouring{}, image.Surface());
    job.Wait();
    job.Cancel();
    EXPECT_TRUE(job.Complete());
    EXPECT_EQ(job.Tally().pixels, 96 * 64);
}

TEST(EscapeJobTest, MemoryRunningOutForTheReferenceEndsTheJobWithAMessage) {
    PixelImage image(8, 8);
    EscapeScene scene = SiegelDisk(1000);
    scene.julia = false;
    scene.columns = scene.rows = 8;
    scene.deep = std::make_shared<DeepScene>(
        DeepRegion::FromCentre(false, "-0.75", "0.1", "1e-40", "0", "0", 8, 8, 0),
        DeepFrame{8, 8, 8, 0, 8, 1000});
    std::atomic<int> ends = 0;
    ReferenceOrbit::FailNextCompute();
    {
        EscapeJob job(scene, EscapeColouring{}, image.Surface(), [&] { ++ends; });
        job.Wait();
        EXPECT_FALSE(job.Complete());
        EXPECT_EQ(job.Failure(), "nicht genug Arbeitsspeicher für dieses Bild");
    }
    EXPECT_EQ(ends, 1);
    // The next drawing of the same scene is whole.
    EscapeJob again(scene, EscapeColouring{}, image.Surface());
    again.Wait();
    EXPECT_TRUE(again.Complete());
    EXPECT_TRUE(again.Failure().empty());
}

TEST(BackgroundDrawingTest, GivenBackRequestsNeverReplaceOnesMadeWhileItRan) {
    CMorvale1Doc doc;
    doc.ZoomPending = doc.PresetChosen = 1;
    const CMorvale1Doc::Requests taken = doc.TakeRequests();
    EXPECT_EQ(doc.ZoomPending + doc.PresetChosen + doc.DepthFromBox, 0);
    doc.SetZoom(1, 2, 30, 40, 1);
    doc.SetDepth(77, 1);
    doc.GiveBackRequests(taken);
    EXPECT_EQ(doc.ZoomPending, 1);
    EXPECT_EQ(doc.ZoomStart, CPoint(1, 2));
    EXPECT_EQ(doc.PresetChosen, 1);
    EXPECT_EQ(doc.DepthFromBox, 1);
    EXPECT_EQ(doc.Depth, 77);
}

TEST(BackgroundDrawingTest, ADragReleasedBeforeTheFirstRowsZoomsWithTheStepsOnTheScreen) {
    HeadlessWindow window({320, 240}, {320, 190});
    window.ChooseKind(Fractal::Mandelbrot);
    window.TakeTexts({"-2.5", "1.5", "-1.5", "1.5", "30"});
    window.PressDraw();
    CMorvale1Doc& doc = window.Document();
    const CMorvale1Doc shown = doc;
    window.TakeTexts({"-1", "0", "-0.5", "0.5", "30"});
    PixelImage image(320, 190);
    CDC dc(image.Surface(), 320, 240);
    auto stopped = std::make_unique<BackgroundDrawing>(window.View(), dc, [] {});
    doc.SetZoom(10, 20, 110, 80, 1);
    stopped.reset();  // nothing of it showed
    BackgroundDrawing next(window.View(), dc, [] {});
    next.Job().Wait();
    next.Complete();
    EXPECT_DOUBLE_EQ(doc.MandelPMin, 10 * shown.MandelStepX + shown.MandelPMin);
    EXPECT_DOUBLE_EQ(doc.MandelQMin, (20 + kHiddenRows) * shown.MandelStepY + shown.MandelQMin);
    EXPECT_DOUBLE_EQ(doc.MandelQMax, (80 + kHiddenRows) * shown.MandelStepY + shown.MandelQMin);
    EXPECT_EQ(doc.ZoomPending, 0);
}

}  // namespace
}  // namespace morvale
