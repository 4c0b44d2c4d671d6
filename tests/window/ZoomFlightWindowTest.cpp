// "Zoomfahrt speichern…": the video of the view on the screen, and Escape in its progress
// dialog, which leaves nothing behind.
#include <QDir>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>

#include "WindowFixture.h"
#include "platform/qt/PaneStatusBar.h"

namespace morvale::testing {
namespace {

class ZoomFlightWindowTest : public WindowTest {
protected:
    void DrawSpot() {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-0.7466", "-0.7426", "0.1299", "0.1327", "200"};
        doc->PresetChosen = 1;
        Command(ID_DRAW);
        PaintView();
    }
    static ZoomVideoOptions Tiny() {
        ZoomVideoOptions o;
        o.format = {48, 28, 10, 30};
        o.secondsPerDoubling = 0.3;
        return o;
    }
    QTemporaryDir folder;
};

TEST_F(ZoomFlightWindowTest, TheViewOnTheScreenBecomesAVideo) {
    DrawSpot();
    const QString path = folder.filePath("fahrt.mp4");
    ASSERT_TRUE(app()->SaveZoomFlight(path, Tiny()));
    EXPECT_GT(QFileInfo(path).size(), 1000);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"fahrt.mp4"});
}

TEST_F(ZoomFlightWindowTest, EscapeCancelsAndLeavesNoFile) {
    DrawSpot();
    ZoomVideoOptions slow = Tiny();
    slow.secondsPerDoubling = 200.0;  // far more frames than the Escape lets through
    WhenModal<QProgressDialog>([](QProgressDialog* dialog) {
        QTimer::singleShot(300, dialog, [dialog] { QTest::keyClick(dialog, Qt::Key_Escape); });
    });
    const QString path = folder.filePath("fahrt.mp4");
    EXPECT_FALSE(app()->SaveZoomFlight(path, slow));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(frame->m_wndStatusBar->PaneText(0), "Zoomfahrt abgebrochen");
}

TEST_F(ZoomFlightWindowTest, TheCommandWaitsForAnEscapeTimePicture) {
    app()->Router().UpdateActions();
    EXPECT_FALSE(Action(ID_FILE_SAVE_ZOOM_FLIGHT)->isEnabled());
    DrawSpot();
    app()->Router().UpdateActions();
    EXPECT_TRUE(Action(ID_FILE_SAVE_ZOOM_FLIGHT)->isEnabled());
}

}  // namespace
}  // namespace morvale::testing
