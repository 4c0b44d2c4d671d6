// Wheel, pan, back and forward through the real window: every picture is the
// plain loop over the region the document holds for it.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "WindowFixture.h"
#include "keep/ViewFile.h"
#include "plane/RegionLimits.h"
#include "platform/qt/ImageSurface.h"
#include "platform/qt/PaneStatusBar.h"
#include "presets/PresetTables.h"
#include "view/KeptViews.h"
#include "view/readout/PointerReadout.h"

namespace morvale {
namespace {

class NavigationTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Command(ID_MANDELBROT);
        // Mandelbrot preset 0, as the database dialog hands it over.
        std::copy_n(MandelPresets[0].begin(), doc->MandelTexts.size(), doc->MandelTexts.begin());
        doc->PresetChosen = 1;
        Command(ID_DRAW);
        PaintView();
    }

    void Wheel(QPoint at, int delta) {
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
    }
    void Settle() {
        QApplication::processEvents();
        PaintView();
    }
    PlanePoint PlaneAt(QPoint at) const { return *PlanePointUnder(*view, {at.x(), at.y()}); }
    double Width() const { return doc->MandelPMax - doc->MandelPMin; }
    // The picture on the screen is the plain loop over the region the document holds (which a
    // view request hands to the reference drawing; a plain preparation would take the texts).
    void ExpectPlainPicture() {
        doc->PendingView = *doc->CurrentView();
        doc->ViewPending = 1;
        const QImage plain = PlainPicture(view->Picture().size(), view->DeviceSize());
        doc->ViewPending = 0;
        EXPECT_EQ(view->Picture(), plain);
    }
    bool Enabled(UINT id) {
        app()->Router().UpdateActions();
        return Action(id)->isEnabled();
    }
    // The point stays under the pointer to within one pixel of the new picture.
    void ExpectKept(PlanePoint before, QPoint at) {
        const PlanePoint after = PlaneAt(at);
        EXPECT_LE(std::abs(after.x - before.x), std::abs(doc->MandelStepX));
        EXPECT_LE(std::abs(after.y - before.y), std::abs(doc->MandelStepY));
    }
};

TEST_F(NavigationTest, WheelZoomsInAndOutAboutThePointerAndDrawsThePlainLoop) {
    const QPoint at(137, 91);
    const PlanePoint point = PlaneAt(at);
    const double width = Width();
    Wheel(at, 120);
    Settle();
    EXPECT_DOUBLE_EQ(Width(), width / 2);
    ExpectKept(point, at);
    ExpectPlainPicture();

    Wheel(at, -120);
    Settle();
    EXPECT_DOUBLE_EQ(Width(), width);
    ExpectKept(point, at);
    ExpectPlainPicture();

    // Notches in quick succession land in one picture, whether or not the first was drawn.
    const QPoint other(301, 222);
    const PlanePoint second = PlaneAt(other);
    Wheel(other, 120);
    Wheel(other, 120);
    Wheel(other, 60);  // a finer wheel: half a notch
    Settle();
    EXPECT_DOUBLE_EQ(Width(), width / 4 / std::sqrt(2.0));
    ExpectKept(second, other);
    ExpectPlainPicture();
}

// A notch stopped before its rows show leaves the preview on the screen: the readout names the
// points that preview shows, and the saved file is a picture its own view draws again.
TEST_F(NavigationTest, AStoppedNotchSavesAPictureThatMatchesItsView) {
    const std::string shownThere = PointText(*view, {157, 91});
    const QImage before = view->Picture().copy();
    Wheel({137, 91}, 120);
    view->CancelDrawing();
    ASSERT_NE(view->Picture(), before);
    EXPECT_EQ(PointText(*view, {177, 91}), shownThere);

    QTemporaryDir folder;
    const QString path = folder.filePath("notch.png");
    ASSERT_TRUE(app()->SavePictureFile(path));
    const ViewReading reading = ReadViewFile(path.toStdString());
    ASSERT_EQ(reading.outcome, ViewOutcome::Read);
    const EscapeBands bands = ViewBands(reading.record);
    QImage drawn(bands.Width(), bands.Height(), QImage::Format_RGB32);
    bands.Render(0, bands.Height(), ImageSurface(drawn));
    EXPECT_TRUE(QImage(path).convertToFormat(QImage::Format_RGB32) == drawn);
}

// Texts for a region below the deepest height: the status bar says so with the bound, the
// picture stays, and the saved picture is still the one on the screen.
TEST_F(NavigationTest, ARegionBeyondTheDeepestHeightIsRefusedInTheStatusBar) {
    const QImage before = view->Picture().copy();
    const int drawings = view->DrawingCount();
    doc->MandelTexts = {"-1.5", "-1.5000000000000000000000000000001", "0", "1e-315001", "50"};
    doc->PresetChosen = 1;
    Command(ID_DRAW);
    Settle();
    EXPECT_TRUE(
        frame->m_wndStatusBar->PaneText(0).contains(QString::fromStdString(DeepestHeightText())));
    EXPECT_EQ(view->DrawingCount(), drawings);
    EXPECT_TRUE(view->Picture() == before);
    EXPECT_EQ(doc->PresetChosen, 0);
}

TEST_F(NavigationTest, BackReturnsToEachViewExactlyAndForwardGoesOn) {
    const QImage first = view->Picture();
    EXPECT_FALSE(Enabled(ID_VIEW_BACK));
    Wheel({100, 100}, 120);
    Settle();
    const QImage zoomed = view->Picture();
    Wheel({250, 80}, 120);
    Settle();
    Wheel({20, 300}, 120);
    Settle();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Enabled(ID_VIEW_BACK));
        Command(ID_VIEW_BACK);
        Settle();
    }
    EXPECT_EQ(view->Picture(), first);
    EXPECT_FALSE(Enabled(ID_VIEW_BACK));
    ASSERT_TRUE(Enabled(ID_VIEW_FORWARD));
    Command(ID_VIEW_FORWARD);
    Settle();
    EXPECT_EQ(view->Picture(), zoomed);
}

TEST_F(NavigationTest, BackAfterAColourChangeShowsTheSpotInTheNewColours) {
    Wheel({200, 150}, 240);
    Settle();
    const PlaneBox spot = doc->GetMandelRegion().box;
    Command(ID_SERIES_RED);  // draws the preset's region again
    Settle();
    EXPECT_NE(doc->GetMandelRegion().box, spot);
    Command(ID_VIEW_BACK);
    Settle();
    EXPECT_EQ(doc->GetMandelRegion().box, spot);
    EXPECT_EQ(view->ColourSeries, 5);
    ExpectPlainPicture();
}

TEST_F(NavigationTest, MiddleDragAndArrowsPanByWholePixels) {
    const PlanePoint point = PlaneAt({100, 100});
    QTest::mousePress(view, Qt::MiddleButton, {}, {100, 100});
    QTest::mouseMove(view, {130, 80});
    QTest::mouseRelease(view, Qt::MiddleButton, {}, {130, 80});
    Settle();
    const PlanePoint moved = PlaneAt({130, 80});
    EXPECT_DOUBLE_EQ(moved.x, point.x);
    EXPECT_DOUBLE_EQ(moved.y, point.y);
    ExpectPlainPicture();

    const double left = doc->MandelPMin;
    QTest::keyClick(view, Qt::Key_Right);
    Settle();
    EXPECT_DOUBLE_EQ(doc->MandelPMin, left + (view->ClientSize().width() / 8) * doc->MandelStepX);
    ExpectPlainPicture();
}

}  // namespace
}  // namespace morvale
