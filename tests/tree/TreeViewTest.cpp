#include <clocale>
#include <string>

#include "TreeViewFixture.h"

namespace morvale {
namespace {

using testing::kBackground;
using testing::TreeViewTest;

TEST_F(TreeViewTest, DefaultTreeShowsItsParametersInPanesOneToFive) {
    Paint();
    const char* texts[] = {"Äste: 7", "Segmente: 60", "rad: 3.0", "dt: 0.1", "Redux: 3"};
    const int widths[] = {40, 75, 40, 40, 55};
    for (int pane = 1; pane <= 5; ++pane) {
        const auto& p = frame.panes[std::size_t(pane)];
        EXPECT_EQ(p.text, texts[pane - 1]);
        EXPECT_EQ(p.width, widths[pane - 1]);
        EXPECT_EQ(p.style, SBPS_NORMAL);
        EXPECT_EQ(p.id, 0u);
    }
    EXPECT_EQ(view.BranchText, "Äste: 7");
    EXPECT_EQ(frame.panes[0].infoCalls, 0);
    EXPECT_EQ(frame.panes[6].infoCalls, 0);
}

TEST_F(TreeViewTest, DecimalsUseAPointUnderAGermanLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    view.SegmentLength = 2.25;
    view.TurnAngle = -0.35;
    Paint();
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(Pane(3), "rad: 2.2");  // 2.25 is exact: ties go to even, as in printf
    EXPECT_EQ(Pane(4), "dt: -0.3");  // -0.35 lies just above -0.35 as a double
}

TEST_F(TreeViewTest, UnchangedPanesAreWrittenOncePerPaint) {
    Paint();
    for (int pane = 1; pane <= 5; ++pane) EXPECT_EQ(frame.panes[std::size_t(pane)].infoCalls, 1);
    EXPECT_EQ(frame.textCalls, 5);

    // Another writer changes a pane between two paints: the next tree puts its text back.
    frame.SetPaneInfo(2, 0, SBPS_NORMAL, 120);
    frame.SetPaneText(2, "YMIN: -1.2", true);
    Paint();
    EXPECT_EQ(Pane(2), "Segmente: 60");
    EXPECT_EQ(frame.panes[2].width, 75);
}

TEST_F(TreeViewTest, DefaultTreeIsColouredByLevelOnThePaintDevice) {
    Paint();
    const auto colours = Colours();
    for (Pixel p : {PixelFromRgb(255, 255, 0), PixelFromRgb(0, 255, 0), PixelFromRgb(0, 128, 0),
                    PixelFromRgb(255, 0, 0)})
        EXPECT_GT(colours.count(p) ? colours.at(p) : 0, 20) << std::hex << p;
    EXPECT_EQ(colours.size(), 5u);  // the four levels and the background
    // The root arms start at the home point.
    EXPECT_EQ(image.At(320, 240), PixelFromRgb(255, 255, 0));
}

TEST_F(TreeViewTest, ColourOffDrawsBlackWhateverTheSeries) {
    view.OnTreeColour();
    for (int series : {7, 2}) {
        view.ColourSeries = series;
        Paint();
        const auto colours = Colours();
        EXPECT_EQ(colours.size(), 2u);
        EXPECT_GT(colours.count(PixelFromRgb(0, 0, 0)), 0u);
    }
    EXPECT_EQ(view.PenColour, RGB(0, 0, 0));
}

TEST_F(TreeViewTest, SingleColourSeriesAndPenColourField) {
    view.ColourSeries = 5;
    Paint();
    const auto colours = Colours();
    EXPECT_EQ(colours.size(), 2u);
    EXPECT_GT(colours.count(PixelFromRgb(255, 0, 0)), 0u);
    EXPECT_EQ(view.PenColour, RGB(255, 0, 0));
    EXPECT_EQ(view.OldPen, nullptr);  // the device's pen is not kept past the paint
}

TEST_F(TreeViewTest, EveryPaintContinuesTheSequenceAndRunsRepeatThemselves) {
    const std::vector<Pixel> first = Paint().Pixels();
    const std::vector<Pixel> second = Paint().Pixels();
    EXPECT_NE(first, second);

    // A second view starts the same fixed sequence, as a second run of the program would.
    CMorvale1Doc otherDoc;
    testing::TestView other(&otherDoc);
    other.OnTreeMode();
    for (const auto& expected : {first, second}) {
        PixelImage picture(kWidth, kHeight, kBackground);
        CDC dc(picture.Surface(), 1280, 1024);
        other.OnDraw(&dc);
        EXPECT_EQ(picture.Pixels(), expected);
    }
}

TEST_F(TreeViewTest, DrawsWithoutAMainWindow) {
    view.SetMainFrame(nullptr);
    Paint();
    EXPECT_GT(Colours().size(), 1u);
    EXPECT_EQ(view.BranchText, "Äste: 7");
}

TEST_F(TreeViewTest, OtherModesDrawNoTreeAndWriteNoPanes) {
    view.ViewMode = Drawing::Nothing;
    Paint();
    EXPECT_EQ(Colours().size(), 1u);
    EXPECT_EQ(frame.textCalls, 0);
}

TEST_F(TreeViewTest, RootPointComesFromTheView) {
    view.RootX = 600;
    view.RootY = 100;
    view.Branches = 1;
    Paint();
    EXPECT_EQ(image.At(600, 100), PixelFromRgb(255, 255, 0));
    EXPECT_EQ(image.At(320, 240), kBackground);
}

}  // namespace
}  // namespace morvale
