#include <utility>

#include "TreeViewFixture.h"

namespace morvale {
namespace {

using testing::TreeViewTest;

constexpr UINT kTreeCommands[] = {
    ID_TREE_MODE,          ID_TREE_RESET,          ID_TREE_BRANCHES_MORE, ID_TREE_BRANCHES_FEWER,
    ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER, ID_TREE_RAD_MORE,      ID_TREE_RAD_LESS,
    ID_TREE_DT_MORE,       ID_TREE_DT_LESS,        ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
    ID_TREE_REDUX_LESS,
};

using CommandsTest = TreeViewTest;

TEST_F(CommandsTest, EveryCommandIsRoutedAndRedrawsOnce) {
    for (UINT id : kTreeCommands) {
        const int before = view.invalidations;
        EXPECT_TRUE(view.ExecuteCommand(id)) << id;
        EXPECT_EQ(view.invalidations, before + 1) << id;
        CCmdUI ui(id);
        EXPECT_TRUE(view.UpdateCommand(ui)) << id;
        EXPECT_TRUE(ui.IsEnabled()) << id;
    }
}

TEST_F(CommandsTest, EachCommandChangesOneValueAndKeepsTheSegmentInvariant) {
    struct Step {
        UINT id;
        int CFractalView::*field;
        int change;
    };
    const Step steps[] = {
        {ID_TREE_BRANCHES_MORE, &CFractalView::Branches, 1},
        {ID_TREE_BRANCHES_FEWER, &CFractalView::Branches, -1},
        {ID_TREE_SEGMENTS_MORE, &CFractalView::SegmentOffset, 10},
        {ID_TREE_SEGMENTS_FEWER, &CFractalView::SegmentOffset, -10},
        {ID_TREE_REDUX_MORE, &CFractalView::Redux, 1},
        {ID_TREE_REDUX_LESS, &CFractalView::Redux, -1},
    };
    for (const Step& step : steps) {
        view.Segments = 999;  // whatever broke it, the command restores it
        const int before = view.*step.field;
        view.ExecuteCommand(step.id);
        EXPECT_EQ(view.*step.field, before + step.change) << step.id;
        EXPECT_EQ(view.Segments, 60 + view.SegmentOffset) << step.id;
    }
    for (UINT id : {ID_TREE_RAD_MORE, ID_TREE_DT_LESS, ID_TREE_COLOUR, ID_TREE_MODE}) {
        view.Segments = 999;
        view.ExecuteCommand(id);
        EXPECT_EQ(view.Segments, 60 + view.SegmentOffset) << id;
    }
}

TEST_F(CommandsTest, SixTimesFewerSegmentsLeavesNoneToDraw) {
    for (int i = 0; i < 6; ++i) view.OnSegmentsFewer();
    EXPECT_EQ(view.SegmentOffset, -60);
    EXPECT_EQ(view.Segments, 0);
    Paint();
    EXPECT_EQ(Colours().size(), 1u);
    EXPECT_EQ(Pane(2), "Segmente: 0");
    view.OnSegmentsFewer();
    Paint();
    EXPECT_EQ(Pane(2), "Segmente: -10");
    EXPECT_EQ(Colours().size(), 1u);
}

TEST_F(CommandsTest, SevenTimesFewerBranchesLeavesNoneToDraw) {
    for (int i = 0; i < 7; ++i) view.OnBranchesFewer();
    EXPECT_EQ(view.Branches, 0);
    Paint();
    EXPECT_EQ(Colours().size(), 1u);
    EXPECT_EQ(Pane(1), "Äste: 0");
    view.OnBranchesFewer();
    Paint();
    EXPECT_EQ(Pane(1), "Äste: -1");
}

TEST_F(CommandsTest, TenthStepsAccumulateAsDoubles) {
    for (int i = 0; i < 5; ++i) view.OnRadMore();
    EXPECT_NE(view.SegmentLength, 3.5);  // five additions of 0.1 overshoot by one unit
    EXPECT_DOUBLE_EQ(view.SegmentLength, 3.5);
    view.OnDtLess();
    EXPECT_EQ(view.TurnAngle, 0.0);
    view.OnDtLess();
    view.OnDtLess();
    Paint();
    EXPECT_EQ(Pane(3), "rad: 3.5");
    EXPECT_EQ(Pane(4), "dt: -0.2");
    view.OnRadLess();
    EXPECT_NE(view.SegmentLength, 3.4);
    EXPECT_DOUBLE_EQ(view.SegmentLength, 3.4);
}

TEST_F(CommandsTest, ColourToggleClearsThePenAndSetsTheCheckMark) {
    auto checked = [this] {
        CCmdUI ui(ID_TREE_COLOUR);
        view.UpdateCommand(ui);
        return ui.Checked();
    };
    EXPECT_EQ(checked(), 1);
    view.PenColour = RGB(255, 255, 0);
    view.OnTreeColour();
    EXPECT_EQ(view.TreeColour, 0);
    EXPECT_EQ(view.PenColour, RGB(0, 0, 0));
    EXPECT_EQ(checked(), 0);
    view.OnTreeColour();
    EXPECT_EQ(view.TreeColour, 1);
    EXPECT_EQ(checked(), 1);
    Paint();
    EXPECT_GT(Colours().size(), 2u);
}

TEST_F(CommandsTest, ResetRestoresTheTreeButNotModeColouringOrSeries) {
    view.ViewMode = Drawing::EscapeTime;
    view.TreeColour = 0;
    view.PenColour = RGB(1, 2, 3);
    view.ColourSeries = 4;
    view.Branches = 12;
    view.SegmentOffset = 30;
    view.Segments = 90;
    view.HomeX = view.HomeY = 5;
    view.SegmentLength = 7.7;
    view.TurnAngle = -0.3;
    view.Redux = 0;
    view.TurnRange = 9;
    view.TurnThreshold = 2;
    view.MinSegments = 4;
    view.RootX = view.RootY = 11;

    view.OnTreeReset();
    EXPECT_EQ(view.invalidations, 1);
    EXPECT_EQ(view.Branches, 7);
    EXPECT_EQ(view.SegmentOffset, 0);
    EXPECT_EQ(view.Segments, 60);
    EXPECT_EQ(std::pair(view.HomeX, view.HomeY), std::pair(320, 240));
    EXPECT_EQ(view.SegmentLength, 3.0);
    EXPECT_EQ(view.TurnAngle, 0.1);
    EXPECT_EQ(view.Redux, 3);
    EXPECT_EQ(view.TurnRange, 100);
    EXPECT_EQ(view.TurnThreshold, 30);
    EXPECT_EQ(view.MinSegments, 1);
    EXPECT_EQ(std::pair(view.RootX, view.RootY), std::pair(320, 240));

    EXPECT_EQ(view.ViewMode, Drawing::EscapeTime);
    EXPECT_EQ(view.TreeColour, 0);
    EXPECT_EQ(view.PenColour, RGB(1, 2, 3));
    EXPECT_EQ(view.ColourSeries, 4);
}

TEST_F(CommandsTest, TreeModeComesOnlyFromItsButton) {
    view.ViewMode = Drawing::EscapeTime;
    view.OnBranchesMore();
    view.OnTreeReset();
    EXPECT_EQ(view.ViewMode, Drawing::EscapeTime);
    view.OnTreeMode();
    EXPECT_EQ(view.ViewMode, Drawing::Tree);
}

TEST_F(CommandsTest, ReduxDownToZeroAndBelowStillDraws) {
    for (int redux : {2, 1, 0, -1, -2}) {
        view.OnReduxLess();
        ASSERT_EQ(view.Redux, redux);
        Paint();
        EXPECT_EQ(Pane(5), "Redux: " + std::to_string(redux));
        EXPECT_GT(Colours().count(PixelFromRgb(255, 255, 0)), 0u) << redux;
        // Only redux 2 grows levels short enough to be red (3 and 1 segments).
        EXPECT_EQ(Colours().count(PixelFromRgb(255, 0, 0)) > 0, redux == 2) << redux;
    }
}

}  // namespace
}  // namespace morvale
