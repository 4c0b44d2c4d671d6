// The window moved between screens of ratios 2 and 1 (two-screens.json), and on screens Qt
// scales by 1.25 and 1.5 (fractional-screens.json).
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <string>

#include "WindowFixture.h"
#include "platform/qt/PaneStatusBar.h"

namespace morvale::testing {
namespace {

// Name, ratio and physical pixels. "double" scales itself, as a 200 % laptop screen does; Qt
// scales the fractional ones (as with QT_SCALE_FACTOR), whose logical sizes are rounded: 1067 x
// 667 for the 1600 x 1000 screen at 1.5.
struct ScreenPixels {
    const char* name;
    qreal ratio;
    QSize pixels;
};
constexpr ScreenPixels kTwoScreens[] = {{"double", 2.0, {2560, 1920}}, {"single", 1.0, {640, 480}}};
constexpr ScreenPixels kFractionalScreens[] = {{"quarter", 1.25, {1602, 1003}},
                                               {"half", 1.5, {1600, 1000}}};

class ScreenTest : public WindowTest {
protected:
    static QScreen* Screen(const char* name) {
        for (QScreen* screen : QGuiApplication::screens())
            if (screen->name() == QLatin1String(name)) return screen;
        return nullptr;
    }
    void MoveTo(const char* name) {
        QScreen* target = Screen(name);
        ASSERT_NE(target, nullptr) << name << ": not one of the configured screens";
        frame->showNormal();
        frame->windowHandle()->setScreen(target);
        frame->setGeometry(QRect(target->geometry().topLeft() + QPoint(20, 40), QSize(600, 420)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        ASSERT_EQ(view->screen(), target);
    }
    void ChooseJulia(const char* depth) {
        Command(ID_JULIA);
        // The Julia set of the Siegel disk, whose points circle for ever.
        doc->JuliaTexts = {
            "-1.5", "1.5", "-2.7", "1.05", "-0.390540870218399", "-0.586787907346969", depth};
        doc->PresetChosen = 1;
    }
    void ExpectThePictureOfEachScreensOwnPixels(const ScreenPixels* begin,
                                                const ScreenPixels* end) {
        ChooseJulia("30");
        Command(ID_DRAW);
        for (const ScreenPixels* screen = begin; screen != end; ++screen) {
            SCOPED_TRACE(screen->name);
            MoveTo(screen->name);
            PaintView();
            ASSERT_EQ(view->devicePixelRatio(), screen->ratio);
            EXPECT_EQ(view->DeviceSize(), screen->pixels);
            EXPECT_EQ(doc->PictureWidth, screen->pixels.width());
            ASSERT_EQ(view->Picture().size(), view->ClientSize());
            EXPECT_EQ(view->Picture(), PlainPicture(view->ClientSize(), screen->pixels));
        }
    }
};
using TwoScreensTest = ScreenTest;
using FractionalScreensTest = ScreenTest;

TEST_F(TwoScreensTest, ThePictureIsComputedForTheScreensOwnPixels) {
    ExpectThePictureOfEachScreensOwnPixels(std::begin(kTwoScreens), std::end(kTwoScreens));
}

TEST_F(FractionalScreensTest, ThePictureIsComputedForTheScreensOwnPixels) {
    ExpectThePictureOfEachScreensOwnPixels(std::begin(kFractionalScreens),
                                           std::end(kFractionalScreens));
}

// Rows finished after the last progress tick are copied when the drawing stops. The slowest
// rows, through the middle of the Siegel disk, are the first the ratio-1 picture lacks.
TEST_F(TwoScreensTest, MovingToASmallerRatioWhileADrawingRunsKeepsToThePictureSize) {
    MoveTo("double");
    const int lacking = view->ClientSize().height() / 2;
    const double centreX = -0.3686844390391595, centreY = -0.3377451471307621;
    const double top = centreY - (lacking + kHiddenRows) * 2.0 / view->DeviceSize().height();
    Command(ID_JULIA);
    // Narrow enough across for the rows through the centre to lie inside the disk.
    doc->JuliaTexts = {std::to_string(centreX - 0.02),
                       std::to_string(centreX + 0.02),
                       std::to_string(top),
                       std::to_string(top + 2.0),
                       "-0.390540870218399",
                       "-0.586787907346969",
                       "10000"};
    doc->PresetChosen = 1;
    Command(ID_DRAW);
    view->repaint();
    ASSERT_TRUE(view->IsDrawing());
    QElapsedTimer clock;
    clock.start();
    while (!frame->m_wndStatusBar->PaneText(0).startsWith("Zeichnen:") && clock.elapsed() < 60000)
        QTest::qWait(10);
    ASSERT_TRUE(view->IsDrawing()) << "the drawing ended too soon to be tested";
    // No event is handled now: the rows that finish stay untaken until the screen changes. Not
    // a time limit: the drawing just ends sooner or later.
    const int rows = std::min(view->DeviceSize().height() - kHiddenRows, 2 * lacking);
    while (view->DrawingRowsDone() < rows && clock.elapsed() < 300000) QThread::msleep(5);
    // As the window system moves it: only the screen changes, and the window paints at once.
    frame->windowHandle()->setScreen(Screen("single"));
    view->repaint();
    EXPECT_EQ(view->devicePixelRatio(), 1.0);
    EXPECT_EQ(view->Picture().size(), view->size());
}

}  // namespace
}  // namespace morvale::testing
