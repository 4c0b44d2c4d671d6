#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "WindowFixture.h"
#include "platform/qt/DepthComboBox.h"

namespace morvale::testing {
namespace {

// A command target that handles a set of ids and counts what reached it.
class CountingTarget : public CCmdTarget {
public:
    explicit CountingTarget(std::vector<UINT> ids, int check = 0)
        : ids_(std::move(ids)), check_(check) {}
    bool ExecuteCommand(UINT id) override {
        if (!Handles(id)) return false;
        ++runs;
        return true;
    }
    bool UpdateCommand(CCmdUI& ui) override {
        if (!Handles(ui.Id())) return false;
        ui.Enable(true);
        ui.SetCheck(check_);
        return true;
    }
    int runs = 0;

private:
    bool Handles(UINT id) const { return std::find(ids_.begin(), ids_.end(), id) != ids_.end(); }

    std::vector<UINT> ids_;
    int check_;
};

TEST(CommandRouterTest, TheFirstTargetThatHandlesACommandIsTheOnlyOneToRunIt) {
    CommandRouter router;
    CountingTarget view({1, 2}), document({2, 3}), frame({3, 4}), app({4, 5});
    router.SetTargets({&view, &document, &frame, nullptr, &app});
    for (UINT id : {1u, 2u, 3u, 4u, 5u}) EXPECT_TRUE(router.Route(id));
    EXPECT_FALSE(router.Route(6));
    EXPECT_EQ(view.runs, 2);
    EXPECT_EQ(document.runs, 1);
    EXPECT_EQ(frame.runs, 1);
    EXPECT_EQ(app.runs, 1);
}

TEST(CommandRouterTest, UpdatesDisableUnhandledActionsAndSetCheckMarks) {
    CommandRouter router;
    CountingTarget checked({7}, 1);
    router.SetTargets({&checked});
    QAction handled, unhandled;
    router.Register(&handled, 7);
    router.Register(&unhandled, 8);
    router.UpdateActions();
    EXPECT_TRUE(handled.isEnabled());
    EXPECT_TRUE(handled.isChecked());
    EXPECT_FALSE(unhandled.isEnabled());
    EXPECT_EQ(CommandId(&unhandled), 8u);
    unhandled.trigger();  // a disabled action does nothing
    handled.trigger();
    EXPECT_EQ(checked.runs, 1);
    // A click toggles a checkable action; the update handler puts the mark back.
    EXPECT_TRUE(handled.isChecked());
}

using RoutingTest = WindowTest;

TEST_F(RoutingTest, EachOwnerReceivesItsCommands) {
    Command(ID_DRAW);
    EXPECT_EQ(view->ViewMode, Drawing::EscapeTime);
    EXPECT_EQ(doc->Drawn, 1);
    Command(ID_SERIES_RED);
    EXPECT_EQ(view->ColourSeries, 5);
    Command(ID_JULIA);
    EXPECT_EQ(doc->FractalKind, Fractal::Julia);
    EXPECT_EQ(doc->Drawn, 0);
    Command(ID_VIEW_TREEBAR);
    EXPECT_FALSE(frame->m_wndTreeBar->isHidden());
}

TEST_F(RoutingTest, ColourSeriesCheckMarksFollowTheView) {
    const std::pair<UINT, int> series[] = {{ID_SERIES_DARKGREEN, 1}, {ID_SERIES_DARKRED, 2},
                                           {ID_SERIES_DARKBLUE, 3},  {ID_SERIES_GREEN, 4},
                                           {ID_SERIES_RED, 5},       {ID_SERIES_BLUE, 6},
                                           {ID_SERIES_ALL, 7}};
    for (const auto& [id, number] : series) {
        Command(id);
        EXPECT_EQ(view->ColourSeries, number);
        for (const auto& [other, unused] : series)
            EXPECT_EQ(Checked(other), other == id) << id << " " << other;
    }
}

TEST_F(RoutingTest, KindCommandsSetTheTitleAndTheirCheckMarksWithoutDrawing) {
    const int drawings = view->DrawingCount();
    Command(ID_JULIA);
    EXPECT_EQ(frame->windowTitle(), "Julia - Morval");
    EXPECT_TRUE(Checked(ID_JULIA));
    EXPECT_FALSE(Checked(ID_MANDELBROT));
    Command(ID_MANDELBROT);
    EXPECT_EQ(frame->windowTitle(), "Mandelbrot - Morval");
    EXPECT_TRUE(Checked(ID_MANDELBROT));
    EXPECT_FALSE(Checked(ID_JULIA));
    EXPECT_FALSE(view->IsDrawingDue());
    PaintView();
    EXPECT_EQ(view->DrawingCount(), drawings);
    // New keeps the title; the document's name never shows.
    Command(ID_FILE_NEW);
    EXPECT_EQ(frame->windowTitle(), "Mandelbrot - Morval");
}

TEST_F(RoutingTest, CheckMarksCatchUpBeforeAMenuShowsAndWhenTheLoopIdles) {
    // State changed behind the commands' backs, as a dialog might change it.
    doc->FractalKind = Fractal::Julia;
    EXPECT_FALSE(Checked(ID_JULIA));
    emit frame->menuBar()->actions().at(1)->menu()->aboutToShow();
    EXPECT_TRUE(Checked(ID_JULIA));

    view->ColourSeries = 2;
    QEventLoop idle;
    QTimer::singleShot(50, &idle, &QEventLoop::quit);
    idle.exec();
    EXPECT_TRUE(Checked(ID_SERIES_DARKRED));
    EXPECT_FALSE(Checked(ID_SERIES_ALL));
}

TEST_F(RoutingTest, EditAndPaneAcceleratorsAreDisabledAndDoNothing) {
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE}) {
        ASSERT_NE(Action(id), nullptr) << id;
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
        EXPECT_FALSE(app()->Router().Route(id)) << id;
    }
    // Copy copies the picture: greyed while there is none.
    EXPECT_FALSE(Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_EQ(Action(ID_EDIT_UNDO)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    view->setFocus();
    QTest::keyClick(frame, Qt::Key_F6);
    QTest::keyClick(frame, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view->ViewMode, Drawing::Nothing);
    EXPECT_EQ(frame->windowTitle(), "Morvale");
}

TEST_F(RoutingTest, AcceleratorsReachTheirCommands) {
    EXPECT_EQ(Action(ID_FILE_NEW)->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+N")}));
    EXPECT_EQ(Action(ID_FILE_PRINT)->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+P")}));
    QString shownTitle;
    WhenModal<QDialog>([&](QDialog* dialog) {
        shownTitle = dialog->windowTitle();
        dialog->reject();
    });
    view->setFocus();
    QTest::keyClick(view, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(shownTitle, "Öffnen");
    EXPECT_EQ(doc->GetPathName(), "");
}

TEST_F(RoutingTest, TreeBarButtonTogglesTheTreeToolbarAndItsCheckMark) {
    Command(ID_VIEW_TREEBAR);
    EXPECT_FALSE(frame->m_wndTreeBar->isHidden());
    EXPECT_TRUE(Checked(ID_VIEW_TREEBAR));
    Command(ID_VIEW_TREEBAR);
    EXPECT_TRUE(frame->m_wndTreeBar->isHidden());
    EXPECT_FALSE(Checked(ID_VIEW_TREEBAR));
    // The main toolbar and its menu check stay as they were.
    EXPECT_FALSE(frame->m_wndToolBar->isHidden());
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
}

TEST_F(RoutingTest, ToolbarCommandActsOnTheMainToolbarOnly) {
    Command(ID_VIEW_TREEBAR);
    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->m_wndToolBar->isHidden());
    EXPECT_FALSE(frame->m_wndDepthBox->isVisible());
    EXPECT_FALSE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(frame->m_wndTreeBar->isHidden());
    EXPECT_TRUE(Checked(ID_VIEW_TREEBAR));
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->m_wndToolBar->isHidden());
    EXPECT_TRUE(frame->m_wndDepthBox->isVisible());
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
}

}  // namespace
}  // namespace morvale::testing
