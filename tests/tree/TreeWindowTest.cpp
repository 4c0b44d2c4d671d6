// The tree through the real window: toolbar actions, the view's image, the status bar, printing.
#include <gtest/gtest.h>

#include <QAction>

#include "WindowFixture.h"
#include "platform/PixelSurface.h"
#include "platform/qt/PaneStatusBar.h"

namespace morvale {
namespace {

constexpr UINT kTreeButtons[] = {
    ID_TREE_MODE,          ID_TREE_RESET,          ID_TREE_BRANCHES_MORE, ID_TREE_BRANCHES_FEWER,
    ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER, ID_TREE_RAD_MORE,      ID_TREE_RAD_LESS,
    ID_TREE_DT_MORE,       ID_TREE_DT_LESS,        ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
    ID_TREE_REDUX_LESS,
};

class TreeWindowTest : public testing::WindowTest {
protected:
    void Press(UINT id) {
        ASSERT_NE(Action(id), nullptr) << id;
        Command(id);
        PaintView();
    }
    QRgb PictureAt(int x, int y) const { return view->Picture().pixel(x, y) & 0xffffffu; }
    std::string Pane(int index) const {
        return frame->m_wndStatusBar->PaneText(index).toStdString();
    }
};

TEST_F(TreeWindowTest, TreeModeDrawsTheDefaultTreeAndFillsThePanes) {
    const int before = view->DrawingCount();
    Press(ID_TREE_MODE);
    EXPECT_EQ(view->DrawingCount(), before + 1);
    EXPECT_EQ(PictureAt(320, 240), 0xffff00u);
    EXPECT_EQ(Pane(1), "Äste: 7");
    EXPECT_EQ(Pane(2), "Segmente: 60");
    EXPECT_EQ(Pane(3), "rad: 3.0");
    EXPECT_EQ(Pane(4), "dt: 0.1");
    EXPECT_EQ(Pane(5), "Redux: 3");
}

TEST_F(TreeWindowTest, EveryButtonDrawsOnceMoreAndTheColourButtonIsChecked) {
    Press(ID_TREE_MODE);
    for (UINT id : kTreeButtons) {
        const int before = view->DrawingCount();
        Press(id);
        EXPECT_EQ(view->DrawingCount(), before + 1) << id;
    }
    // The colour button was pressed once: colouring is off and the tree is black.
    EXPECT_FALSE(Checked(ID_TREE_COLOUR));
    EXPECT_EQ(PictureAt(320, 240), 0x000000u);
    Press(ID_TREE_COLOUR);
    EXPECT_TRUE(Checked(ID_TREE_COLOUR));
    EXPECT_EQ(PictureAt(320, 240), 0xffff00u);
}

TEST_F(TreeWindowTest, ReduxBelowTwoFromTheToolbarStillDraws) {
    Press(ID_TREE_MODE);
    for (int i = 0; i < 4; ++i) Press(ID_TREE_REDUX_LESS);
    EXPECT_EQ(Pane(5), "Redux: -1");
    EXPECT_EQ(PictureAt(320, 240), 0xffff00u);
}

// A big tree stopped by Escape keeps its part; the next command draws anew. (TreeJobTest shows
// that the trees after a stopped one are those after a whole one.)
TEST_F(TreeWindowTest, EscapeStopsABigTreeAndTheNextCommandDrawsAgain) {
    view->Branches = 36;  // 3.7 million segments
    Command(ID_TREE_MODE);
    view->repaint();
    ASSERT_TRUE(view->IsDrawing()) << "the big tree ended too soon to be stopped";
    const int drawn = view->DrawingCount();
    QTest::keyClick(frame, Qt::Key_Escape);
    EXPECT_FALSE(view->IsDrawing());
    EXPECT_EQ(Pane(0), "Abgebrochen");
    // How far it got depends on the machine; its root segment is always drawn first.
    EXPECT_NE(PictureAt(320, 240), view->BackgroundColour().rgb() & 0xffffffu)
        << "what the tree drew stays";
    Press(ID_TREE_BRANCHES_FEWER);
    EXPECT_EQ(view->DrawingCount(), drawn + 1);
    EXPECT_EQ(Pane(1), "Äste: 35");
}

TEST_F(TreeWindowTest, PrintingDrawsTheTreeOnThePage) {
    Press(ID_TREE_MODE);
    PixelImage page(2480, 3508, PixelFromRgb(255, 255, 255));
    CDC dc(page.Surface(), page.Width(), page.Height());
    view->DrawPage(dc);
    EXPECT_EQ(page.At(320, 240), PixelFromRgb(255, 255, 0));
}

}  // namespace
}  // namespace morvale
