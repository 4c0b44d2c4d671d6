#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "ZoomTestView.h"
#include "view/zoom/DragReplay.h"

namespace morvale {
namespace {

constexpr Pixel kRed = PixelFromRgb(255, 0, 0);

class ZoomSelectionTest : public ::testing::Test, protected testing::ZoomFixture {
protected:
    void ExpectMandelRegion(double pMin, double pMax, double qMin, double qMax) {
        EXPECT_EQ(doc.MandelPMin, pMin);
        EXPECT_EQ(doc.MandelPMax, pMax);
        EXPECT_EQ(doc.MandelQMin, qMin);
        EXPECT_EQ(doc.MandelQMax, qMax);
    }
    void ExpectJuliaRegion(double xMin, double xMax, double yMin, double yMax) {
        EXPECT_EQ(doc.JuliaXMin, xMin);
        EXPECT_EQ(doc.JuliaXMax, xMax);
        EXPECT_EQ(doc.JuliaYMin, yMin);
        EXPECT_EQ(doc.JuliaYMax, yMax);
    }
    // Outline pixels of a rectangle as the platform draws it: normalised, right/bottom excluded.
    static std::vector<CPoint> Outline(int l, int t, int r, int b) {
        std::vector<CPoint> points;
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                if (x == l || x == r - 1 || y == t || y == b - 1) points.push_back({x, y});
        return points;
    }
    static std::vector<CPoint> Sorted(std::vector<CPoint> points) {
        std::sort(points.begin(), points.end(),
                  [](CPoint a, CPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        return points;
    }
};

TEST_F(ZoomSelectionTest, DragThenDrawZoomsBothRegionsThenTheTextsReturn) {
    DrawBothPresets();
    ReplayDrag(view, {64, 14}, {192, 78});
    EXPECT_EQ(doc.ZoomStart, (CPoint{64, 14}));
    EXPECT_EQ(doc.ZoomEnd, (CPoint{192, 78}));
    EXPECT_EQ(doc.ZoomPending, 1);
    ExpectMandelRegion(-2, 2, -1, 1);  // the release itself draws nothing
    EXPECT_EQ(view.invalidations, 2) << "only the two draw commands invalidated";

    doc.FractalKind = Fractal::None;  // whatever the kind, both regions zoom
    view.Paint();
    // x · step + min and (y + 50) · step + min, with steps 1/256 (Mandelbrot), 1/512 (Julia).
    ExpectMandelRegion(-1.75, -1.25, -0.75, -0.5);
    ExpectJuliaRegion(-0.875, -0.625, -0.375, -0.25);
    EXPECT_EQ(std::vector(doc.MandelValues.begin(), doc.MandelValues.begin() + 4),
              (std::vector{-1.75, -1.25, -0.75, -0.5}));
    EXPECT_EQ(std::pair(doc.JuliaP, doc.JuliaQ), std::pair(0.3, 0.5)) << "the constant stays";
    EXPECT_EQ(doc.MandelStepX, 1.0 / 2048);
    EXPECT_EQ(doc.MandelTexts[0], "-2") << "a zoom never changes the texts";
    EXPECT_EQ(doc.ZoomPending, 0);
    doc.FractalKind = Fractal::Mandelbrot;

    view.Paint();  // a repaint without a new request returns to the preset
    ExpectMandelRegion(-2, 2, -1, 1);
}

TEST_F(ZoomSelectionTest, RequestsBeforeAPictureReplaceAndAfterItNest) {
    DrawBothPresets();
    ReplayDrag(view, {1, 1}, {2, 2});
    ReplayDrag(view, {64, 14}, {192, 78});  // replaces the first
    view.Paint();
    ExpectMandelRegion(-1.75, -1.25, -0.75, -0.5);
    // The zoomed picture has steps of 1/2048; this drag ends far outside the 320 x 200 window.
    ReplayDrag(view, {512, 206}, {1024, 462});
    view.Paint();
    ExpectMandelRegion(-1.5, -1.25, -0.625, -0.5);
}

TEST_F(ZoomSelectionTest, AClickMakesNoRequestAndKeepsThePendingOneAThreePixelDragDoes) {
    DrawBothPresets();
    const PixelImage before = view.client;
    view.OnLButtonDown(0, {128, 78});
    view.OnMouseMove(0, {130, 76});
    view.OnLButtonUp(0, {130, 76});  // within 2 pixels in both axes
    EXPECT_TRUE(ChangedPixels(before).empty()) << "no drag frame and no red frame";
    EXPECT_EQ(doc.ZoomPending, 0);
    EXPECT_EQ(view.ZoomRequest, 0);
    EXPECT_EQ(view.Dragging, 0);

    ReplayDrag(view, {64, 14}, {192, 78});
    const CRect frame = view.ZoomFrame;
    const PixelImage framed = view.client;
    view.OnLButtonDown(0, {10, 10});
    view.OnLButtonUp(0, {8, 12});
    EXPECT_TRUE(ChangedPixels(framed).empty());
    EXPECT_EQ(view.ZoomFrame, frame);
    EXPECT_EQ(doc.ZoomStart, (CPoint{64, 14})) << "the pending request stays as it was";
    EXPECT_EQ(doc.ZoomEnd, (CPoint{192, 78}));

    ReplayDrag(view, {10, 10}, {13, 10});  // three pixels along one axis: a drag
    EXPECT_EQ(view.ZoomFrame, (CRect{10, 10, 13, 10}));
    EXPECT_EQ(doc.ZoomEnd, (CPoint{13, 10}));
    view.Paint();
    ExpectMandelRegion(10.0 / 256 - 2, 13.0 / 256 - 2, 60.0 / 256 - 1, 60.0 / 256 - 1);
}

TEST_F(ZoomSelectionTest, DragUpAndLeftIsHandedOverUnsortedAndMirrors) {
    DrawBothPresets();
    ReplayDrag(view, {192, 78}, {64, 14});
    EXPECT_EQ(doc.ZoomStart, (CPoint{192, 78}));
    EXPECT_EQ(view.ZoomFrame, (CRect{192, 78, 64, 14}));
    view.Paint();
    ExpectMandelRegion(-1.25, -1.75, -0.5, -0.75);
    EXPECT_LT(doc.MandelStepX, 0.0);
    EXPECT_LT(doc.MandelStepY, 0.0);
    ExpectJuliaRegion(-0.625, -0.875, -0.25, -0.375);
}

TEST_F(ZoomSelectionTest, ReleaseWithoutAnyEarlierDragIsIgnoredByTheDocument) {
    DrawBothPresets();
    const PixelImage before = view.client;
    view.OnLButtonUp(0, {30, 40});
    EXPECT_TRUE(view.updates.empty()) << "nothing drawn or erased";
    EXPECT_TRUE(ChangedPixels(before).empty());
    EXPECT_EQ(view.releaseCalls, 0);
    EXPECT_EQ(doc.ZoomEnd, (CPoint{30, 40}));
    EXPECT_EQ(doc.ZoomPending, 0);
    view.Paint();
    ExpectMandelRegion(-2, 2, -1, 1);
}

TEST_F(ZoomSelectionTest, StrayReleaseAfterAClickFormsARequestFromTheStaleAnchor) {
    DrawBothPresets();
    ReplayDrag(view, {1, 1}, {9, 9});  // a request, so the flag handed over is 1
    // A double-click: press, release, (second press not delivered), release elsewhere.
    view.OnLButtonDown(0, {64, 14});
    view.OnLButtonUp(0, {64, 14});
    const PixelImage before = view.client;
    const std::size_t updates = view.updates.size();
    view.OnLButtonUp(0, {192, 78});
    EXPECT_EQ(view.updates.size(), updates);
    EXPECT_TRUE(ChangedPixels(before).empty());
    EXPECT_EQ(view.ZoomFrame, (CRect{1, 1, 9, 9})) << "the click drew no red frame";
    EXPECT_EQ(doc.ZoomStart, (CPoint{64, 14}));
    EXPECT_EQ(doc.ZoomEnd, (CPoint{192, 78}));
    EXPECT_EQ(doc.ZoomPending, 1);
    view.Paint();
    ExpectMandelRegion(-1.75, -1.25, -0.75, -0.5);
}

TEST_F(ZoomSelectionTest, DragsInTreeModeWaitForTheNextEscapeTimePicture) {
    DrawBothPresets();
    view.ViewMode = Drawing::Tree;
    const PixelImage before = view.client;
    view.OnLButtonDown(0, {10, 20});
    view.OnMouseMove(0, {40, 60});
    EXPECT_EQ(ChangedPixels(before).size(), Outline(10, 20, 40, 60).size());
    view.OnLButtonUp(0, {64, 14});
    view.Paint();
    view.Paint();
    EXPECT_EQ(doc.ZoomPending, 1);
    ExpectMandelRegion(-2, 2, -1, 1);
    EXPECT_EQ(doc.ZoomStart, (CPoint{10, 20}));
    EXPECT_EQ(doc.ZoomEnd, (CPoint{64, 14}));

    view.OnDrawCommand();
    view.Paint();
    ExpectMandelRegion(10.0 / 256 - 2, 64.0 / 256 - 2, 70.0 / 256 - 1, 64.0 / 256 - 1);
}

TEST_F(ZoomSelectionTest, TheInvertingFrameFollowsThePointerAndLeavesNoTrace) {
    const PixelImage before = view.client;
    view.OnLButtonDown(0, {10, 20});
    EXPECT_TRUE(ChangedPixels(before).empty()) << "no frame before the first move";
    EXPECT_EQ(view.DragAnchor, (CPoint{10, 20}));
    EXPECT_EQ(view.DragCurrent, (CPoint{10, 20}));

    view.OnMouseMove(0, {40, 60});
    const auto changed = ChangedPixels(before);
    EXPECT_EQ(Sorted(changed), Outline(10, 20, 40, 60));
    for (CPoint p : changed)
        EXPECT_EQ(view.client.At(p.x, p.y), ~before.At(p.x, p.y) | 0xff000000u);

    view.OnMouseMove(0, {45, 62});
    EXPECT_EQ(Sorted(ChangedPixels(before)), Outline(10, 20, 45, 62));
    // Up and left of the anchor and out of the window: clipped, then fully restored.
    view.OnMouseMove(0, {-30, 500});
    view.OnMouseMove(0, {5, 3});
    EXPECT_EQ(view.DragCurrent, (CPoint{5, 3}));
    EXPECT_EQ(Sorted(ChangedPixels(before)), Outline(5, 3, 10, 20));
}

TEST_F(ZoomSelectionTest, ReleaseReplacesTheDragFrameByARedFrameToTheReleasePoint) {
    DrawBothPresets();
    const PixelImage before = view.client;
    view.OnLButtonDown(0, {10, 20});
    view.OnMouseMove(0, {40, 60});
    view.OnLButtonUp(0, {50, 70});  // the release point differs from the last move
    EXPECT_EQ(view.ZoomFrame, (CRect{10, 20, 50, 70}));
    EXPECT_EQ(view.Dragging, 0);
    EXPECT_EQ(view.ZoomRequest, 1);
    EXPECT_EQ(view.ZoomFrom, (CPoint{10, 20}));
    EXPECT_EQ(view.ZoomTo, (CPoint{50, 70}));
    const auto changed = ChangedPixels(before);
    EXPECT_EQ(Sorted(changed), Outline(10, 20, 50, 70));
    for (CPoint p : changed) EXPECT_EQ(view.client.At(p.x, p.y), kRed);

    // The next drag inverts over the red frame and still leaves it intact.
    view.OnLButtonDown(0, {30, 30});
    view.OnMouseMove(0, {60, 80});
    view.OnMouseMove(0, {33, 33});
    view.OnLButtonUp(0, {33, 33});
    // Where the two frames crossed, the red pixels were inverted twice.
    EXPECT_EQ(view.client.At(49, 30), kRed);
    EXPECT_EQ(view.client.At(30, 69), kRed);
    EXPECT_EQ(view.client.At(30, 30), kRed) << "the smallest frame a drag draws: 3 pixels";

    view.Paint();  // a new picture replaces everything
    EXPECT_EQ(view.ZoomRequest, 1) << "the view's flag is never cleared";
}

TEST_F(ZoomSelectionTest, MovesUpdateOnlyTheFrameAreaAndNeverRedraw) {
    DrawBothPresets();
    view.updates.clear();
    const int invalidations = view.invalidations;
    view.OnLButtonDown(0, {10, 20});
    view.OnMouseMove(0, {40, 60});
    view.OnMouseMove(0, {45, 62});
    view.OnMouseMove(0, {20, 25});
    view.OnLButtonUp(0, {20, 25});
    ASSERT_EQ(view.updates.size(), 4u) << "one client context per move and one at release";
    EXPECT_EQ(view.updates[0], (CRect{10, 20, 40, 60}));
    EXPECT_EQ(view.updates[1], (CRect{10, 20, 45, 62}));
    EXPECT_EQ(view.updates[2], (CRect{10, 20, 45, 62}));
    EXPECT_EQ(view.updates[3], (CRect{10, 20, 20, 25}));
    EXPECT_EQ(view.invalidations, invalidations);
}

TEST_F(ZoomSelectionTest, CaptureIsTakenAtPressAndReleasedOnlyIfStillHeld) {
    view.OnLButtonDown(0, {1, 1});
    EXPECT_TRUE(view.capture);
    EXPECT_EQ(view.Dragging, 1);
    view.OnLButtonUp(0, {2, 2});
    EXPECT_FALSE(view.capture);
    EXPECT_EQ(view.releaseCalls, 1);

    view.OnLButtonDown(0, {1, 1});
    view.capture = false;  // the platform took it away
    view.OnLButtonUp(0, {2, 2});
    EXPECT_EQ(view.releaseCalls, 1);
    EXPECT_EQ(view.captureCalls, 2);
}

TEST_F(ZoomSelectionTest, WorksWithoutAClientContextOrMainFrame) {
    view.clientDCAvailable = false;
    view.SetMainFrame(nullptr);
    DrawBothPresets();
    const PixelImage before = view.client;
    ReplayDrag(view, {64, 14}, {192, 78});
    EXPECT_TRUE(ChangedPixels(before).empty());
    EXPECT_EQ(view.DragCurrent, (CPoint{192, 78}));
    EXPECT_EQ(view.ZoomFrame, (CRect{64, 14, 192, 78}));
    view.Paint();
    ExpectMandelRegion(-1.75, -1.25, -0.75, -0.5);
}

}  // namespace
}  // namespace morvale
