// Zoom and pointer readout through the real window: Qt mouse events reach the view's handlers.
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>
#include <QWindow>

#include "WindowFixture.h"
#include "doc/PresetDialogs.h"
#include "platform/qt/PaneStatusBar.h"
#include "presets/PresetTables.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

// The database dialog as a user closes it after taking the first row.
class FirstRowDialogs : public IPresetDialogs {
public:
    PresetDialogOutcome RunJuliaDialog(const std::vector<std::string>&) override {
        return {IDOK, true, {JuliaPresets[0].begin(), JuliaPresets[0].end()}};
    }
    PresetDialogOutcome RunMandelDialog(const std::vector<std::string>&) override {
        return {IDOK, true, {MandelPresets[0].begin(), MandelPresets[0].end()}};
    }
};

// Records the rectangles the view is asked to paint and the mouse events it receives.
class ViewSpy : public QObject {
public:
    std::vector<QRect> paints;
    int presses = 0;
    int doubleClicks = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            paints.push_back(static_cast<QPaintEvent*>(event)->rect());
        if (event->type() == QEvent::MouseButtonPress) ++presses;
        if (event->type() == QEvent::MouseButtonDblClick) ++doubleClicks;
        return false;
    }
};

constexpr QRgb kRed = qRgb(255, 0, 0);

class ViewMouseTest : public testing::WindowTest {
protected:
    void SetUp() override {
        app()->SetPresetDialogsFactory(
            [](QWidget*) { return std::make_unique<FirstRowDialogs>(); });
        WindowTest::SetUp();
        view->installEventFilter(&spy);
    }
    void TearDown() override {
        view->removeEventFilter(&spy);
        WindowTest::TearDown();
        app()->SetPresetDialogsFactory(nullptr);
    }

    // Mandelbrot, first row of its database, draw: the road of one picture.
    void DrawFirstMandelbrot() {
        Command(ID_MANDELBROT);
        Command(ID_DATABASE);
        Command(ID_DRAW);
        Settle();
        ASSERT_FALSE(view->IsDrawingDue());
    }
    // Lets every pending paint run.
    void Settle() {
        QCoreApplication::processEvents();
        PaintView();
    }
    // Real input: through the window system, with Qt's implicit grab and double-click detection.
    QPoint InWindow(QPoint viewPoint) const { return view->mapTo(frame, viewPoint); }
    void Press(QPoint p) {
        QTest::mousePress(frame->windowHandle(), Qt::LeftButton, {}, InWindow(p));
    }
    void Move(QPoint p) { QTest::mouseMove(frame->windowHandle(), InWindow(p)); }
    void Release(QPoint p) {
        QTest::mouseRelease(frame->windowHandle(), Qt::LeftButton, {}, InWindow(p));
    }
    QString Pane1() const { return frame->m_wndStatusBar->PaneText(1); }
    // What the screen shows of the view, overlays included.
    QImage Shown() const { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    ViewSpy spy;
};

// Pixels on the outline of a drag from a to b, as the platform draws a rectangle.
std::vector<QPoint> Outline(QPoint a, QPoint b) {
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x()) - 1;
    const int t = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y()) - 1;
    std::vector<QPoint> points;
    for (int x = l; x <= r; ++x) points.insert(points.end(), {{x, t}, {x, bottom}});
    for (int y = t; y <= bottom; ++y) points.insert(points.end(), {{l, y}, {r, y}});
    return points;
}

TEST_F(ViewMouseTest, DragShowsAnInvertingFrameThenLeavesARedOneAndZoomsTheNextPicture) {
    DrawFirstMandelbrot();
    const QImage picture = view->Picture().copy();
    const int drawings = view->DrawingCount();
    const double stepX = doc->MandelStepX, stepY = doc->MandelStepY;
    ASSERT_GT(stepX, 0.0);

    const QPoint from(100, 60), during(300, 200), to(320, 220);
    Press(from);
    EXPECT_EQ(view->Dragging, 1);
    EXPECT_TRUE(view->HasCapture());
    Move(during);
    Settle();
    QImage shown = Shown();
    for (QPoint p : Outline(from, during))
        ASSERT_EQ(shown.pixel(p), picture.pixel(p) ^ 0x00ffffffu) << p.x() << "," << p.y();
    EXPECT_EQ(shown.pixel(200, 130), picture.pixel(200, 130)) << "the inside stays as it was";

    Release(to);
    Settle();
    EXPECT_FALSE(view->HasCapture());
    shown = Shown();
    for (QPoint p : Outline(from, to)) ASSERT_EQ(shown.pixel(p), kRed) << p.x() << "," << p.y();
    // Where the last inverting frame ran inside the red one, the picture is back.
    EXPECT_EQ(shown.pixel(299, 150), picture.pixel(299, 150));
    EXPECT_EQ(view->DrawingCount(), drawings) << "neither moves nor the release redraw";
    EXPECT_EQ(doc->ZoomStart, (CPoint{100, 60}));
    EXPECT_EQ(doc->ZoomEnd, (CPoint{320, 220}));
    EXPECT_EQ(doc->ZoomPending, 1);

    // Uncovering the window shows the red frame again; only a new drawing removes it.
    view->update();
    Settle();
    EXPECT_EQ(Shown().pixel(from), kRed);
    EXPECT_EQ(view->DrawingCount(), drawings);

    const double pMin = doc->MandelValues[0], qMin = doc->MandelValues[2];
    Command(ID_DRAW);
    Settle();
    EXPECT_EQ(view->DrawingCount(), drawings + 1);
    EXPECT_DOUBLE_EQ(doc->MandelPMin, 100 * stepX + pMin);
    EXPECT_DOUBLE_EQ(doc->MandelPMax, 320 * stepX + pMin);
    EXPECT_DOUBLE_EQ(doc->MandelQMin, (60 + 50) * stepY + qMin);
    EXPECT_DOUBLE_EQ(doc->MandelQMax, (220 + 50) * stepY + qMin);
    EXPECT_NE(Shown().pixel(from), kRed);
}

TEST_F(ViewMouseTest, MovesOverAPictureRepaintOnlyTheFrameAndWriteTheReadout) {
    DrawFirstMandelbrot();
    const int drawings = view->DrawingCount();
    Move({0, 0});
    Settle();
    // Y = QMIN + 50 · (QMAX − QMIN) / screen height, the first row under the hidden ones.
    const double y = -1.5 + 50 * 3.0 / view->PictureHeight;
    EXPECT_EQ(Pane1(), QString::asprintf("(-2.250000;%f) ", y));

    Press({100, 60});
    spy.paints.clear();
    Move({140, 90});
    Move({150, 95});
    QCoreApplication::processEvents();
    ASSERT_FALSE(spy.paints.empty());
    const QRect frameArea(QPoint(100, 60), QPoint(149, 94));
    for (const QRect& r : spy.paints)
        EXPECT_TRUE(frameArea.contains(r))
            << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    Release({150, 95});
    EXPECT_EQ(view->DrawingCount(), drawings);
    EXPECT_EQ(Pane1(), QString::asprintf("(%f;%f) ", -2.25 + 150 * 3.0 / view->PictureWidth,
                                         -1.5 + (95 + 50) * 3.0 / view->PictureHeight));
}

TEST_F(ViewMouseTest, ReadoutBeforeAnyPictureAndInTreeMode) {
    Move({10, 10});
    EXPECT_EQ(Pane1(), QStringLiteral("        "));
    view->ViewMode = Drawing::Tree;
    Move({12, 10});
    EXPECT_EQ(Pane1(), QStringLiteral("Äste: 7"));
}

TEST_F(ViewMouseTest, CapturedDragFollowsThePointerOutOfTheView) {
    DrawFirstMandelbrot();
    Press({100, 60});
    const QPoint overToolbar(150, -20);  // above the view, over the tool bar
    Move(overToolbar);
    EXPECT_EQ(view->DragCurrent, (CPoint{150, -20}));
    Release(overToolbar);
    EXPECT_EQ(view->Dragging, 0);
    EXPECT_EQ(doc->ZoomEnd, (CPoint{150, -20}));
    EXPECT_EQ(doc->ZoomPending, 1);
}

TEST_F(ViewMouseTest, TheSecondPressOfADoubleClickIsNotAPress) {
    DrawFirstMandelbrot();
    // Through the window system: Qt reports the second press only as a double-click.
    QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {}, InWindow({40, 40}));
    EXPECT_EQ(spy.presses, 1);
    EXPECT_EQ(spy.doubleClicks, 1);
    EXPECT_EQ(view->Dragging, 0);

    // The double-click event itself starts no drag: the release that follows it is a stray
    // one, handing the stale anchor and the new position to the document without drawing.
    const QImage before = Shown();
    QTest::mouseDClick(view, Qt::LeftButton, {}, {200, 150});
    EXPECT_EQ(view->Dragging, 0);
    QTest::mouseRelease(view, Qt::LeftButton, {}, {220, 170});
    Settle();
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(doc->ZoomStart, (CPoint{40, 40}));
    EXPECT_EQ(doc->ZoomEnd, (CPoint{220, 170}));
    EXPECT_EQ(doc->ZoomPending, 0) << "clicks end no drag, so the view's flag is still 0";
}

TEST_F(ViewMouseTest, ARecomputationDuringADragLeavesNoGhostFrame) {
    DrawFirstMandelbrot();
    const int drawings = view->DrawingCount();
    Press({100, 60});
    Move({300, 200});
    Settle();
    frame->showNormal();
    frame->resize(frame->width() - 40, frame->height() - 30);
    for (int i = 0; i < 100 && view->DrawingCount() == drawings; ++i) Settle();
    ASSERT_GT(view->DrawingCount(), drawings);
    Move({200, 150});
    Settle();
    // Only the frame at the pointer differs from the picture, and there it is inverted.
    const QImage shown = Shown(), picture = view->Picture();
    const std::vector<QPoint> outline = Outline({100, 60}, {200, 150});
    for (QPoint p : outline) ASSERT_EQ(shown.pixel(p), picture.pixel(p) ^ 0x00ffffffu);
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            differing += shown.pixel(x, y) != picture.pixel(x, y);
    EXPECT_EQ(differing, QSet<QPoint>(outline.begin(), outline.end()).size());
}

TEST_F(ViewMouseTest, OnlyTheLeftButtonDrags) {
    DrawFirstMandelbrot();
    QTest::mousePress(frame->windowHandle(), Qt::RightButton, {}, InWindow({30, 30}));
    EXPECT_EQ(view->Dragging, 0);
    QTest::mouseRelease(frame->windowHandle(), Qt::RightButton, {}, InWindow({60, 60}));
    EXPECT_EQ(doc->ZoomPending, 0);
}

// Run with QT_SCALE_FACTOR=2 (the HighDensity entries of ctest): positions are logical, the
// picture, the device and every pixel the handlers see are physical.
using HighDensityMouseTest = ViewMouseTest;

TEST_F(HighDensityMouseTest, ReadoutFrameAndZoomTakeThePhysicalPixelUnderThePointer) {
    ASSERT_EQ(view->devicePixelRatio(), 2.0);
    DrawFirstMandelbrot();
    const double pMin = doc->MandelPMin, qMin = doc->MandelQMin;
    const double stepX = doc->MandelStepX, stepY = doc->MandelStepY;
    const double spanX = doc->MandelPMax - pMin, spanY = doc->MandelQMax - qMin;
    Move({60, 40});
    EXPECT_EQ(Pane1(), QString::asprintf("(%f;%f) ", 120 * spanX / view->PictureWidth + pMin,
                                         (80 + 50) * spanY / view->PictureHeight + qMin));
    Press({50, 30});
    Move({150, 90});
    Release({150, 90});
    EXPECT_EQ(doc->ZoomStart, (CPoint{100, 60}));
    EXPECT_EQ(doc->ZoomEnd, (CPoint{300, 180}));
    QImage shown = Shown();
    shown.setDevicePixelRatio(1);
    for (QPoint p : Outline({100, 60}, {300, 180})) ASSERT_EQ(shown.pixel(p), kRed);
    Command(ID_DRAW);
    Settle();
    EXPECT_DOUBLE_EQ(doc->MandelPMin, 100 * stepX + pMin);
    EXPECT_DOUBLE_EQ(doc->MandelPMax, 300 * stepX + pMin);
    EXPECT_DOUBLE_EQ(doc->MandelQMin, (60 + 50) * stepY + qMin);
    EXPECT_DOUBLE_EQ(doc->MandelQMax, (180 + 50) * stepY + qMin);
}

}  // namespace
}  // namespace morvale
