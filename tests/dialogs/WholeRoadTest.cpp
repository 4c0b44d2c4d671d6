// A picture's whole road through the running program: kind button, database dialog, draw
// button, and the picture on screen compared with the plain drawing loop's.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <set>

#include "DialogScript.h"
#include "WindowFixture.h"
#include "app/Morvale1App.h"
#include "doc/Morvale1Doc.h"
#include "frame/MainFrame.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/PaneStatusBar.h"
#include "presets/PresetTables.h"
#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"
#include "presets/qt/PresetDbForm.h"
#include "view/HeadlessWindow.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

using testing::ClickRow;
using testing::RunScripted;
using testing::TypeOver;

std::vector<std::string> Row(std::span<const std::string_view> cells) {
    return {cells.begin(), cells.end()};
}

class WholeRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = CMorvale1App::Instance();
        testing::UseDatabaseDialogs(true);
        ASSERT_TRUE(app->InitInstance(QStringList{QStringLiteral("morvale1")}));
        frame = app->GetMainFrame();
        view = app->GetView();
        doc = app->GetDocument();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    // A pane's whole text: as shown, or on hover where the small screen's pane rounds it.
    QString WholePane(int index) const {
        const PaneStatusBar* bar = frame->m_wndStatusBar;
        const QString tip = bar->PaneToolTip(index);
        return tip.isEmpty() ? bar->PaneText(index) : tip;
    }
    void TearDown() override {
        app->ExitInstance();
        testing::UseDatabaseDialogs(false);
    }

    // A click on the main toolbar's button of the command.
    void Press(UINT id) {
        QAction* action = app->Router().Action(id);
        ASSERT_NE(action, nullptr);
        QWidget* button = frame->m_wndToolBar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The database button, with `script` working the dialog it opens.
    void Database(const std::function<void(QDialog&)>& script) {
        RunScripted(
            [&] {
                Press(ID_DATABASE);
                return 0;
            },
            script);
    }

    void DrawAndWait() {
        const int before = view->DrawingCount();
        Press(ID_DRAW);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->DrawingCount() > before; }, 120000));
    }

    // The same road drawn by the plain loop for the view's device and client sizes.
    ::testing::AssertionResult ShowsReference(Fractal kind, const std::vector<std::string>& texts) {
        const QSize device = view->DeviceSize();
        const QImage& shown = view->Picture();
        HeadlessWindow road({device.width(), device.height()}, {shown.width(), shown.height()},
                            Painter::Reference);
        road.ChooseKind(kind);
        road.TakeTexts(texts);
        road.PressDraw();
        const PixelImage& expected = road.Image();
        if (shown.isNull() || shown.width() < 100 || shown.height() < 100)
            return ::testing::AssertionFailure() << "no picture of a window's size on screen";
        if (std::set<Pixel>(expected.Pixels().begin(), expected.Pixels().end()).size() < 10)
            return ::testing::AssertionFailure() << "the reference is nearly uniform";
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (Pixel(shown.pixel(x, y)) != expected.At(x, y))
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") differs: " << std::hex
                           << shown.pixel(x, y) << " on screen, " << expected.At(x, y);
        return ::testing::AssertionSuccess();
    }

    static void PressOk(QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(ControlName(IDOK)), Qt::LeftButton);
    }

    CMorvale1App* app = nullptr;
    CMainFrame* frame = nullptr;
    CMorvale1View* view = nullptr;
    CMorvale1Doc* doc = nullptr;
};

TEST_F(WholeRoadTest, MandelbrotRow13ThenJuliaRow14AtDepth2000) {
    Press(ID_MANDELBROT);
    EXPECT_EQ(frame->windowTitle(), "Mandelbrot - Morval");
    const int drawingsBefore = view->DrawingCount();
    Database([&](QDialog& d) {
        EXPECT_NE(qobject_cast<CMandelDbDlg*>(&d), nullptr);
        EXPECT_EQ(d.parentWidget(), frame);
        ClickRow(*d.findChild<QTableWidget*>(), 13);
        PressOk(d);
    });
    EXPECT_EQ(doc->PresetChosen, 1);
    EXPECT_EQ(frame->m_wndDepthBox->currentText(), "1250");
    EXPECT_EQ(WholePane(2), "PMIN: -0.7451093");
    QApplication::processEvents();
    EXPECT_FALSE(view->IsDrawingDue()) << "taking a preset draws nothing";
    EXPECT_EQ(view->DrawingCount(), drawingsBefore);

    DrawAndWait();
    EXPECT_EQ(doc->IterationLimit, 1250);
    EXPECT_EQ(doc->PresetChosen, 0) << "the drawing consumed the request";
    EXPECT_TRUE(ShowsReference(Fractal::Mandelbrot, Row(MandelPresets[13])));

    Press(ID_JULIA);
    Database([&](QDialog& d) {
        EXPECT_NE(qobject_cast<CJuliaDbDlg*>(&d), nullptr);
        ClickRow(*d.findChild<QTableWidget*>(), 14);
        TypeOver(*d.findChild<QLineEdit*>(ControlName(IDC_TIEFE)), "2000");
        PressOk(d);
    });
    const char* panes[] = {"XMIN: -0.7813", "XMAX: -0.7013", "YMIN: 0.45698", "YMAX: 0.537",
                           "P: 0.31",       "Q: 0.025",      "Tiefe: 2000"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(WholePane(i + 2), panes[i]);
    EXPECT_EQ(frame->m_wndDepthBox->currentText(), "2000");

    DrawAndWait();
    EXPECT_EQ(doc->IterationLimit, 2000);
    std::vector<std::string> julia = Row(JuliaPresets[14]);
    julia[6] = "2000";
    EXPECT_TRUE(ShowsReference(Fractal::Julia, julia));
}

TEST_F(WholeRoadTest, DatabaseWithoutAKindOpensNothingAndClearsThePanes) {
    frame->m_wndStatusBar->SetPaneText(5, QStringLiteral("alt"));
    EXPECT_FALSE(testing::OpensModalDialog([&] { Press(ID_DATABASE); }));
    EXPECT_EQ(frame->m_wndStatusBar->PaneText(5), "");
    UINT id = 1;
    PaneStyle style = SBPS_STRETCH;
    int width = 0;
    frame->m_wndStatusBar->GetPaneInfo(0, id, style, width);
    EXPECT_EQ(width, 100);
}

}  // namespace
}  // namespace morvale
