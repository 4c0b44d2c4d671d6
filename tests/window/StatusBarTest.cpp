#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>

#include "WindowFixture.h"
#include "platform/qt/PaneStatusBar.h"

namespace morvale::testing {
namespace {

using StatusBarTest = WindowTest;

// The significant digits of a number as shown ("-0.0012e5" has two).
int SignificantDigits(const QString& number) {
    QString digits = number.section('e', 0, 0);
    digits.remove(QRegularExpression("[^0-9]"));
    return int(digits.size() - digits.indexOf(QRegularExpression("[1-9]")));
}

int ScreenQuarter() {
    return QGuiApplication::primaryScreen()->size().width() / 4;
}

TEST_F(StatusBarTest, NinePanesStartEmptyButTheIdlePane) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    ASSERT_EQ(bar->PaneCount(), 9);
    EXPECT_EQ(bar->PaneText(0), "Bereit");
    for (int i = 1; i < 9; ++i) {
        EXPECT_EQ(bar->PaneText(i), "") << i;
        UINT id = 1;
        PaneStyle style = SBPS_STRETCH;
        int width = 0;
        bar->GetPaneInfo(i, id, style, width);
        EXPECT_EQ(style, SBPS_NORMAL);
        EXPECT_EQ(width, ScreenQuarter());
    }
    UINT id = 1;
    PaneStyle style = SBPS_NORMAL;
    int width = 0;
    bar->GetPaneInfo(0, id, style, width);
    EXPECT_EQ(style, SBPS_NOBORDERS | SBPS_STRETCH);
    // Nothing else of the bar shows a message over the panes.
    EXPECT_EQ(bar->currentMessage(), "");
}

TEST_F(StatusBarTest, OverflowingPanesAreClippedAndNeverWidenTheWindow) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    // Nine quarter-screen panes are far wider than the screen.
    EXPECT_GT(bar->PaneRect(8).right(), bar->width());
    EXPECT_LT(frame->minimumSizeHint().width(), QGuiApplication::primaryScreen()->size().width());
    EXPECT_LE(frame->width(), QGuiApplication::primaryScreen()->size().width());
}

TEST_F(StatusBarTest, PaneInfoSetsWidthStyleAndTheStretchPaneTakesTheRest) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    for (int i = 1; i < 9; ++i) bar->SetPaneInfo(i, 0, SBPS_NORMAL, 40);
    QApplication::processEvents();
    const int fixedWidth = bar->PaneRect(1).width();
    EXPECT_EQ(bar->PaneRect(2).width(), fixedWidth);
    // The stretching pane fills what the eight fixed panes leave.
    EXPECT_GT(bar->PaneRect(0).width(), bar->width() - 9 * fixedWidth - 40);
    frame->SetPaneInfo(0, 0, SBPS_NORMAL, 100);
    EXPECT_LT(bar->PaneRect(0).width(), 130);
    EXPECT_GE(bar->PaneRect(0).width(), 100);
}

TEST_F(StatusBarTest, PromptsShowInPaneZeroAndTheIdleTextReturns) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    frame->SetPaneText(3, "YMIN: -1.2");
    Action(ID_DRAW)->showStatusText(frame);
    EXPECT_EQ(bar->PaneText(0), "Morval wird gezeichnet");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame, &leave);
    EXPECT_EQ(bar->PaneText(0), "Bereit");
    // Other panes keep their texts through prompts.
    EXPECT_EQ(bar->PaneText(3), "YMIN: -1.2");
    EXPECT_TRUE(bar->PaneRect(3).isValid());
}

TEST_F(StatusBarTest, APromptCutAtThePanesEndShowsWholeAsItsToolTip) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    const auto paneToolTip = [bar] { return bar->PaneToolTip(0); };
    frame->SetPaneInfo(0, 0, SBPS_NORMAL, 60);
    Action(ID_APP_EXIT)->showStatusText(frame);
    EXPECT_EQ(paneToolTip(), bar->PaneText(0));
    EXPECT_TRUE(paneToolTip().startsWith("Verläßt")) << paneToolTip().toStdString();
    // A text that fits needs none, and a wider pane drops the tool tip of a prompt that now fits.
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame, &leave);
    EXPECT_EQ(paneToolTip(), "");
    Action(ID_APP_EXIT)->showStatusText(frame);
    frame->SetPaneInfo(0, 0, SBPS_NORMAL, 600);
    EXPECT_EQ(paneToolTip(), "");
}

// Neighbouring pixels 1e-103 apart need over a hundred digits; the pane shows both coordinates
// with as many as it holds, each the pixel's own value rounded to them.
TEST_F(StatusBarTest, ADeepReadoutShowsBothCoordinatesRoundedToWhatItsPaneHolds) {
    PaneStatusBar* bar = frame->m_wndStatusBar;
    // Empty parameter panes leave the small screen's width to the two stretching panes.
    for (int i = 2; i < 9; ++i) frame->SetPaneInfo(i, 0, SBPS_NORMAL, 0);
    Command(ID_MANDELBROT);
    // Forty digits, then 1e-100 between the bounds.
    const std::string re = "0.1234567890123456789012345678901234567890" + std::string(59, '0');
    const std::string im = "0.9876543210987654321098765432109876543210" + std::string(59, '0');
    doc->MandelTexts = {re + "0", re + "1", im + "0", im + "1", "50"};
    doc->PresetChosen = 1;
    Command(ID_DRAW);
    PaintView();
    ASSERT_TRUE(doc->MandelIsDeep);
    QTest::mouseMove(view, QPoint(40, 30));
    const QString text = bar->PaneText(1);
    ASSERT_TRUE(text.startsWith('(') && text.endsWith(") ") && text.count(';') == 1)
        << text.toStdString();
    EXPECT_LE(bar->fontMetrics().horizontalAdvance(text), bar->PaneRect(1).width());
    const long bits = doc->MandelDeep.WorkingBits(view->PictureWidth, view->PictureHeight);
    const DeepPoint exact =
        doc->MandelDeep.Sample(view->PictureWidth, view->PictureHeight, 40, 30 + kHiddenRows, bits);
    const QStringList parts = text.mid(1, text.size() - 3).split(';');
    for (int axis = 0; axis < 2; ++axis) {
        const QString shown = parts[axis];
        const int digits = SignificantDigits(shown);
        EXPECT_GE(digits, 6) << shown.toStdString();  // more than the fewest, room allowing
        const BigFloat& value = axis == 0 ? exact.re : exact.im;
        EXPECT_EQ(shown.toStdString(), value.General(digits));
    }
    // The region's own bounds are rounded in their panes too, never cut: a hundred digits, and
    // a double's seventeen, more than the small screen's pane holds.
    for (const std::string& value : {re + "0", std::string("-0.7436438878704817")}) {
        doc->MandelTexts[0] = value;
        doc->TakeView(Fractal::Mandelbrot, {doc->MandelTexts.begin(), doc->MandelTexts.end()});
        const QString bound = bar->PaneText(2);
        ASSERT_TRUE(bound.startsWith("PMIN: ")) << bound.toStdString();
        EXPECT_LE(bar->fontMetrics().horizontalAdvance(bound), bar->PaneRect(2).width());
        const QString number = bound.mid(6);
        EXPECT_EQ(number.toStdString(),
                  BigFloat::Parse(value, 400).General(SignificantDigits(number)));
        EXPECT_EQ(bar->PaneToolTip(2).toStdString(), "PMIN: " + value);
    }
}

TEST_F(StatusBarTest, HoveringAToolbarButtonShowsItsPrompt) {
    QWidget* button = frame->m_wndToolBar->widgetForAction(Action(ID_SERIES_RED));
    QTest::mouseMove(frame->windowHandle(), button->mapTo(frame, button->rect().center()));
    QTRY_COMPARE(frame->m_wndStatusBar->PaneText(0), QString("Farbreihe Rot wird eingestellt"));
}

TEST_F(StatusBarTest, TheGreyedRecentFilePlaceHolderShowsItsPromptOnHover) {
    QAction* placeHolder = Action(ID_FILE_MRU_FIRST);
    QMenu* menu = frame->menuBar()->actions().first()->menu();  // "&Datei"
    menu->popup(frame->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    ASSERT_FALSE(placeHolder->isEnabled());
    // Coming from an enabled item, as a user's pointer does.
    QTest::mouseMove(menu->windowHandle(), menu->actionGeometry(Action(ID_APP_EXIT)).center());
    QTRY_VERIFY(frame->m_wndStatusBar->PaneText(0).startsWith("Verläßt"));
    QTest::mouseMove(menu->windowHandle(), menu->actionGeometry(placeHolder).center());
    // At once, as for the other items: with the events of the move, before any menu timer.
    QApplication::processEvents();
    EXPECT_EQ(frame->m_wndStatusBar->PaneText(0), QString("Öffnet dieses Dokument."));
    menu->close();
}

TEST_F(StatusBarTest, StatusBarCommandHidesAndShowsOnlyTheStatusBar) {
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame->m_wndStatusBar->isHidden());
    EXPECT_FALSE(Checked(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(frame->m_wndToolBar->isHidden());
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame->m_wndStatusBar->isHidden());
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));
}

}  // namespace
}  // namespace morvale::testing
