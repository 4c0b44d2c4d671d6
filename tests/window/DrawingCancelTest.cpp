// Long drawings: the window keeps answering, Escape and new commands stop them, exit ends them.
#include <QLineEdit>
#include <QThread>

#include "WindowFixture.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/PaneStatusBar.h"
#include "render/deep/ReferenceOrbit.h"

namespace morvale::testing {
namespace {

constexpr int kDeep = 2000000000;

class DrawingCancelTest : public WindowTest {
protected:
    // The real axis, in the middle of the device, holds points that neither escape nor repeat for
    // seconds at a deep limit; the rows far above the set escape at once.
    void ChooseRegion(const char* depth) {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-2", "1.125", "-4.6875", "4.6875", depth};
        doc->PresetChosen = 1;
    }
    void DrawQuickPicture() {
        ChooseRegion("40");
        Command(ID_DRAW);
        PaintView();
    }
    // Starts the drawing and runs until its progress has shown for a while.
    void StartDeepDrawing() {
        Command(ID_DRAW);
        view->repaint();
        ASSERT_TRUE(view->IsDrawing());
        // Progress shows only while the window's thread answers.
        RunUntil([this] { return Pane0().startsWith("Zeichnen:"); }, 60000);
        ASSERT_TRUE(Pane0().startsWith("Zeichnen:"));
        ASSERT_TRUE(view->IsDrawing()) << "the deep drawing ended too soon to be tested";
    }
    QString Pane0() const { return frame->m_wndStatusBar->PaneText(0); }
    int AxisRow() const { return view->DeviceSize().height() / 2 - kHiddenRows; }
    // Runs the event loop until done() or the time is up.
    static void RunUntil(const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < timeoutMs) QTest::qWait(10);
    }
    // Client row 0 as the plain loop draws it for the document as it is now.
    QImage ReferenceTopRow() {
        const QSize device = view->DeviceSize();
        return Row(PlainPicture(view->ClientSize(), device, Drawing::EscapeTime,
                                {kHiddenRows, device.height()}),
                   0);
    }
    static QImage Row(const QImage& image, int y) { return image.copy(0, y, image.width(), 1); }
};

TEST_F(DrawingCancelTest, EscapeKeepsTheFinishedRowsAndTheWindowAnswersMeanwhile) {
    DrawQuickPicture();
    const QImage before = view->Picture().copy();
    ChooseRegion("2000000000");
    const QImage topRow = ReferenceTopRow();
    ASSERT_LT(AxisRow(), view->ClientSize().height());
    StartDeepDrawing();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_Escape);
    ASSERT_FALSE(view->IsDrawing());
    EXPECT_EQ(Pane0(), QStringLiteral("Abgebrochen"));
    EXPECT_EQ(Row(view->Picture(), 0), topRow);
    EXPECT_EQ(Row(view->Picture(), AxisRow()), Row(before, AxisRow()));
    // The document describes the drawing whose rows show; its requests are used up.
    EXPECT_EQ(doc->IterationLimit, kDeep);
    EXPECT_EQ(doc->PresetChosen, 0);
    EXPECT_EQ(view->PictureHeight, view->DeviceSize().height());
}

TEST_F(DrawingCancelTest, EscapeInTheDepthBoxStopsTheDrawingAndLeavesTheTypedDepth) {
    ChooseRegion("2000000000");
    doc->DepthText = "40";
    QLineEdit* field = frame->m_wndDepthBox->lineEdit();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::mouseClick(field, Qt::LeftButton);
    QTRY_VERIFY(field->hasFocus());
    field->selectAll();
    QTest::keyClicks(field, "9999");
    ASSERT_EQ(doc->Depth, 9999);
    doc->SetDepth(kDeep, 1);  // no room in the field for a depth that takes this long
    StartDeepDrawing();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(view->IsDrawing());
    EXPECT_EQ(Pane0(), QStringLiteral("Abgebrochen"));
    EXPECT_EQ(field->text(), QStringLiteral("9999"));
    EXPECT_EQ(doc->Depth, kDeep);
    EXPECT_TRUE(field->hasFocus());
    // With nothing computing the key goes on to the field, which keeps its text too.
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->text(), QStringLiteral("9999"));
    EXPECT_EQ(doc->Depth, kDeep);
}

TEST_F(DrawingCancelTest, ANewCommandRestartsWithTheRequestsOfTheDrawingThatShowedNothing) {
    DrawQuickPicture();
    const double qMin = doc->MandelQMin, stepY = doc->MandelStepY;
    // Rows 150 to 450 keep the real axis on client row 250 of the zoomed picture.
    doc->SetZoom(0, 100, 800, 400, 1);
    doc->SetDepth(kDeep, 1);
    Command(ID_DRAW);
    view->repaint();
    ASSERT_TRUE(view->IsDrawing());
    Command(ID_SERIES_RED);
    EXPECT_FALSE(view->IsDrawing());
    EXPECT_EQ(doc->ZoomPending, 1);
    EXPECT_EQ(doc->DepthFromBox, 1);
    EXPECT_DOUBLE_EQ(doc->MandelQMin, qMin) << "nothing of the stopped drawing showed";
    StartDeepDrawing();
    view->CancelDrawing();
    EXPECT_EQ(doc->ZoomPending, 0);
    EXPECT_EQ(doc->IterationLimit, kDeep);
    EXPECT_DOUBLE_EQ(doc->MandelQMin, (100 + kHiddenRows) * stepY + qMin) << "zoomed once";
}

TEST_F(DrawingCancelTest, ARedFrameReleasedWhileADrawingRunsStaysOverTheRowsThatArriveLater) {
    ChooseRegion("20000000");  // about two seconds on one fast core
    Command(ID_DRAW);
    view->repaint();
    ASSERT_TRUE(view->IsDrawing());
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(view, QPoint(300, 240));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 240));
    RunUntil([this] { return !view->IsDrawing(); }, 120000);
    ASSERT_FALSE(view->IsDrawing());
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(view->Picture().pixel(100, 20), red);
    EXPECT_EQ(view->Picture().pixel(200, 239), red);
    EXPECT_EQ(view->Picture().pixel(299, 130), red);
}

TEST_F(DrawingCancelTest, AnEscapeAfterTheLastRowKeepsTheCompletePicture) {
    DrawQuickPicture();
    const EscapeTally quick = view->LastEscapeTally;
    const int drawn = view->DrawingCount();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    ChooseRegion("20000000");
    Command(ID_DRAW);
    view->repaint();
    ASSERT_TRUE(view->IsDrawing()) << "the drawing ended too soon to be tested";
    // No event is handled meanwhile: the drawing's queued end call has yet to run.
    const int rows =
        std::min(view->DeviceSize().height() - kHiddenRows, view->ClientSize().height());
    QElapsedTimer clock;
    clock.start();
    while (view->DrawingRowsDone() < rows && clock.elapsed() < 300000) QThread::msleep(5);
    QTest::keyClick(frame, Qt::Key_Escape);
    EXPECT_FALSE(view->IsDrawing());
    EXPECT_NE(Pane0(), QStringLiteral("Abgebrochen"));
    EXPECT_EQ(view->DrawingCount(), drawn + 1);
    EXPECT_GT(view->LastEscapeTally.iterations, quick.iterations);
    EXPECT_EQ(doc->IterationLimit, 20000000);
}

TEST_F(DrawingCancelTest, MemoryRunningOutOnTheDrawingThreadEndsInAMessage) {
    Command(ID_MANDELBROT);
    doc->MandelTexts = {"-0.75", "-0.74999999999999999999999999", "0.1",
                        "0.10000000000000000000000001", "100"};
    doc->PresetChosen = 1;
    ReferenceOrbit::FailNextCompute();
    Command(ID_DRAW);
    view->repaint();
    RunUntil([this] { return !view->IsDrawing(); }, 60000);
    EXPECT_FALSE(view->IsDrawing());
    EXPECT_EQ(Pane0(),
              QStringLiteral("Nicht gezeichnet: nicht genug Arbeitsspeicher für dieses Bild"));
}

TEST_F(DrawingCancelTest, ClosingTheWindowEndsTheDrawing) {
    ChooseRegion("2000000000");
    StartDeepDrawing();
    frame->close();
    // A drawing computed on would outlast the test's time limit by hours.
    app()->ExitInstance();
}

}  // namespace
}  // namespace morvale::testing
