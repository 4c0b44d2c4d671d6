#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "ZoomTestView.h"
#include "platform/TextConversion.h"
#include "view/readout/PointerReadout.h"
#include "view/zoom/DragReplay.h"

namespace morvale {
namespace {

class PointerReadoutTest : public ::testing::Test, protected testing::ZoomFixture {
protected:
    const testing::FakePane& Pane() const { return frame.panes[1]; }
    void ExpectPane(PaneStyle style, int width, const std::string& text) {
        EXPECT_EQ(Pane().id, 0u);
        EXPECT_EQ(Pane().style, style);
        EXPECT_EQ(Pane().width, width);
        EXPECT_EQ(Pane().text, text);
    }
};

// Restores the process locale when a test ends.
class GermanLocale {
public:
    GermanLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

std::string PrintfPlanePoint(double x, double y) {
    char buffer[1000];
    std::snprintf(buffer, sizeof buffer, "(%f;%f) ", x, y);
    return buffer;
}

TEST(PlanePointText, MatchesTheCLibraryInTheClassicLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0,        -0.0, 1.0,       -2.25,      0.0078125,     0.0234375,
                             -0.8046875, 1e-7, -4e-7,     123456.789, 1e300,         -1.7e308,
                             inf,        -inf, 0.1 + 0.2, 2.5e-6,     999999.9999995};
    for (double v : values) EXPECT_EQ(FormatPlanePoint(v, -v), PrintfPlanePoint(v, -v)) << v;
    EXPECT_EQ(FormatPlanePoint(std::nan(""), 1.5), "(nan;1.500000) ");
}

TEST(PlanePointText, AGermanProcessLocaleStillGivesAPoint) {
    GermanLocale german;
    if (!german.Active()) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    ASSERT_EQ(PrintfPlanePoint(-2.5, 0.25), "(-2,500000;0,250000) ") << "the locale is in force";
    EXPECT_EQ(FormatPlanePoint(-2.5, 0.25), "(-2.500000;0.250000) ");
}

TEST(BranchCountText, IsGermanUtf8) {
    EXPECT_EQ(FormatBranchCount(7), "\xC3\x84ste: 7");
    EXPECT_EQ(FormatBranchCount(-12), "\xC3\x84ste: -12");
}

TEST_F(PointerReadoutTest, TopRowReadsFiftyRowsBelowTheRegionStart) {
    DrawBothPresets();
    view.OnMouseMove(0, {0, 0});
    // Y = YMIN + 50 · 2 / 512; the seventh decimal is a tie, rounded to even like printf.
    ExpectPane(SBPS_STRETCH, 72, "(-2.000000;-0.804688) ");
    view.OnMouseMove(0, {256, 206});
    EXPECT_EQ(Pane().text, "(-1.000000;0.000000) ");
    view.OnMouseMove(0, {-10, -60});  // captured moves outside the window are read too
    EXPECT_EQ(Pane().text, "(-2.039062;-1.039062) ");
}

// Read back, each coordinate lies nearer its own pixel's sample than any other's.
TEST_F(PointerReadoutTest, ACopiedPointIsTheShortestTextThatNamesItsPixel) {
    DrawBothPresets();
    EXPECT_EQ(PointText(view, {256, 206}), "-1,0");
    // (-0.828125; 0.171875) with steps of 2/512: two decimals come within half a step.
    EXPECT_EQ(PointText(view, {300, 250}), "-0.83,0.17");
    doc.MandelTexts = {"-0.75", "-0.7385", "0.125", "0.14", "50"};
    doc.PresetChosen = 1;
    view.OnDrawCommand();
    view.Paint();
    ASSERT_FALSE(doc.MandelIsDeep);
    for (CPoint at : {CPoint{101, 37}, CPoint{77, 300}}) {
        const std::string text = PointText(view, at);
        const std::size_t comma = text.find(',');
        const double stepX = (doc.MandelPMax - doc.MandelPMin) / view.PictureWidth;
        const double stepY = (doc.MandelQMax - doc.MandelQMin) / view.PictureHeight;
        EXPECT_EQ(std::lround((Atof(text.substr(0, comma)) - doc.MandelPMin) / stepX), at.x);
        EXPECT_EQ(std::lround((Atof(text.substr(comma + 1)) - doc.MandelQMin) / stepY),
                  at.y + kHiddenRows);
        EXPECT_LT(text.size(), 2u * 17u) << text;
    }
    // 1e-30 wide: a deep picture, whose neighbouring pixels differ in the 33rd digit.
    doc.MandelTexts = {"-0.75", "-0.749999999999999999999999999999", "0.1",
                       "0.100000000000000000000000000001", "50"};
    doc.PresetChosen = 1;
    view.OnDrawCommand();
    view.Paint();
    ASSERT_TRUE(doc.MandelIsDeep);
    const int width = view.PictureWidth, height = view.PictureHeight;
    const long bits = doc.MandelDeep.WorkingBits(width, height);
    auto exact = [&](CPoint p) {
        return doc.MandelDeep.Sample(width, height, p.x, p.y + kHiddenRows, bits);
    };
    const std::string text = PointText(view, {100, 50});
    const std::size_t comma = text.find(',');
    ASSERT_NE(comma, std::string::npos);
    const DeepPoint read{BigFloat::Parse(text.substr(0, comma), bits),
                         BigFloat::Parse(text.substr(comma + 1), bits)};
    const DeepPoint here = exact({100, 50}), next = exact({101, 51});
    EXPECT_TRUE(Abs(read.re - here.re) * 2L < Abs(next.re - here.re)) << text;
    EXPECT_TRUE(Abs(read.im - here.im) * 2L < Abs(next.im - here.im)) << text;
}

TEST_F(PointerReadoutTest, JuliaReadsItsOwnRegion) {
    DrawBothPresets();
    doc.OnJulia();
    view.OnDrawCommand();
    view.OnMouseMove(0, {512, 206});
    ExpectPane(SBPS_STRETCH, 72, "(0.000000;0.000000) ");
}

TEST_F(PointerReadoutTest, APendingZoomDoesNotMoveTheReadoutUntilItIsDrawn) {
    DrawBothPresets();
    ReplayDrag(view, {64, 14}, {192, 78});
    view.OnMouseMove(0, {0, 0});
    EXPECT_EQ(Pane().text, "(-2.000000;-0.804688) ");
    view.Paint();
    view.OnMouseMove(0, {0, 0});
    // The zoomed picture: -1.75 + 0, -0.75 + 50 · 0.25 / 512.
    EXPECT_EQ(Pane().text, "(-1.750000;-0.725586) ");
}

TEST_F(PointerReadoutTest, TreeModeShowsTheBranchCountUnlessAPictureWasDrawn) {
    view.ViewMode = Drawing::Tree;
    view.Branches = 9;
    view.OnMouseMove(0, {5, 5});
    ExpectPane(SBPS_NORMAL, 40, "\xC3\x84ste: 9");
    EXPECT_EQ(view.BranchText, "\xC3\x84ste: 9");

    // The draw command after the last choice of kind wins over the tree.
    DrawBothPresets();
    view.ViewMode = Drawing::Tree;
    view.OnMouseMove(0, {0, 0});
    ExpectPane(SBPS_STRETCH, 72, "(-2.000000;-0.804688) ");
    doc.OnMandelbrot();
    view.OnMouseMove(0, {0, 0});
    ExpectPane(SBPS_NORMAL, 40, "\xC3\x84ste: 9");
}

TEST_F(PointerReadoutTest, BlanksBeforeAnyPictureAndAfterAKindChange) {
    view.OnMouseMove(0, {5, 5});
    ExpectPane(SBPS_STRETCH, 72, "        ");
    DrawBothPresets();
    view.OnMouseMove(0, {5, 5});
    doc.OnJulia();  // Drawn is 0 again while the old picture stays on the screen
    view.OnMouseMove(0, {5, 5});
    ExpectPane(SBPS_STRETCH, 72, "        ");
}

TEST_F(PointerReadoutTest, NoKindChosenLeavesThePaneAlone) {
    frame.panes[1].text = "alt";
    view.OnDrawCommand();
    view.Paint();
    view.OnMouseMove(0, {5, 5});
    EXPECT_EQ(Pane().text, "alt");
    EXPECT_EQ(Pane().infoCalls, 0);
}

TEST_F(PointerReadoutTest, BeforeAnyPaintTheReadoutStaysFinite) {
    doc.OnMandelbrot();
    doc.MandelValues = {-2, 2, -1, 1, 50};
    view.OnDrawCommand();  // no paint yet: the device size is unknown
    view.OnMouseMove(0, {100, 30});
    EXPECT_EQ(Pane().text, "(-2.000000;-1.000000) ");
}

TEST_F(PointerReadoutTest, ReadoutFollowsTheDragToo) {
    DrawBothPresets();
    view.OnLButtonDown(0, {0, 0});
    view.OnMouseMove(0, {256, 206});
    EXPECT_EQ(Pane().text, "(-1.000000;0.000000) ");
    view.OnLButtonUp(0, {256, 206});
}

TEST_F(PointerReadoutTest, GermanLocaleReadoutKeepsThePoint) {
    GermanLocale german;
    if (!german.Active()) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    DrawBothPresets();
    view.OnMouseMove(0, {0, 0});
    EXPECT_EQ(Pane().text, "(-2.000000;-0.804688) ");
}

}  // namespace
}  // namespace morvale
