#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "FakeFrame.h"
#include "doc/Morvale1Doc.h"
#include "view/drawing/DocumentScene.h"

namespace morvale {
namespace {

class PrepareDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetMainFrame(&frame);
        doc.SetPictureSize(1000, 800);
    }
    void Prepare() {
        doc.PrepareDrawing(&dc);
        doc.FinishDrawing(&dc);
    }
    void TakeMandel(std::array<std::string, 5> texts) {
        doc.MandelTexts = texts;
        doc.PresetChosen = 1;
    }

    testing::FakeFrame frame;
    CMorvale1Doc doc;
    PixelImage image{4, 4};
    CDC dc{image.Surface(), 1000, 800};
};

TEST_F(PrepareDrawingTest, StartsWithTheDocumentedValues) {
    EXPECT_EQ(doc.FractalKind, Fractal::None);
    EXPECT_EQ(doc.Depth, 15);
    EXPECT_EQ(doc.IterationLimit, 15);
    EXPECT_EQ(doc.Drawn, 0);
    EXPECT_EQ(doc.ZoomPending, 0);
    EXPECT_EQ(doc.PresetChosen, 0);
    EXPECT_EQ(doc.DepthFromBox, 0);
    EXPECT_EQ(doc.DepthText, "");
    for (const auto& t : doc.JuliaTexts) EXPECT_EQ(t, "");
    EXPECT_FALSE(doc.Palette.IsCreated());
}

TEST_F(PrepareDrawingTest, KindCommandsSetTitleAndClearDrawn) {
    doc.MarkDrawn();
    doc.OnJulia();
    EXPECT_EQ(doc.FractalKind, Fractal::Julia);
    EXPECT_EQ(doc.Drawn, 0);
    EXPECT_EQ(frame.title, "Julia - Morval");
    CCmdUI julia(ID_JULIA), mandel(ID_MANDELBROT);
    EXPECT_TRUE(doc.UpdateCommand(julia));
    EXPECT_TRUE(doc.UpdateCommand(mandel));
    EXPECT_EQ(julia.Checked(), 1);
    EXPECT_EQ(mandel.Checked(), 0);
    EXPECT_TRUE(doc.ExecuteCommand(ID_MANDELBROT));
    EXPECT_EQ(frame.title, "Mandelbrot - Morval");
    EXPECT_EQ(doc.FractalKind, Fractal::Mandelbrot);
    EXPECT_FALSE(doc.ExecuteCommand(ID_DRAW));
}

TEST_F(PrepareDrawingTest, JuliaBranchConvertsAllSevenTexts) {
    doc.OnJulia();
    doc.JuliaTexts = {"-1.2", "1.2", "-1.2abc", " 1.2", "0.31", "x", "500.9"};
    doc.PresetChosen = 1;
    Prepare();
    EXPECT_EQ(doc.JuliaXMin, -1.2);
    EXPECT_EQ(doc.JuliaYMin, -1.2);
    EXPECT_EQ(doc.JuliaYMax, 1.2);
    EXPECT_EQ(doc.JuliaP, 0.31);
    EXPECT_EQ(doc.JuliaQ, 0.0);
    EXPECT_EQ(doc.JuliaStepX, (1.2 - -1.2) / 1000);
    EXPECT_EQ(doc.JuliaStepY, (1.2 - -1.2) / 800);
    EXPECT_EQ(doc.IterationLimit, 500) << "a fractional preset depth is truncated";
    EXPECT_EQ(doc.MandelStepX, 0.0) << "the other kind's steps are computed too";
}

TEST_F(PrepareDrawingTest, EmptyJuliaTextsGiveAZeroRegion) {
    doc.OnJulia();
    Prepare();
    EXPECT_EQ(doc.JuliaXMin, 0.0);
    EXPECT_EQ(doc.JuliaXMax, 0.0);
    EXPECT_EQ(doc.JuliaStepX, 0.0);
    EXPECT_EQ(doc.JuliaStepY, 0.0);
    EXPECT_EQ(doc.IterationLimit, 15);
}

TEST_F(PrepareDrawingTest, IterationLimitPrecedence) {
    doc.OnMandelbrot();
    TakeMandel({"-2.25", "0.75", "-1.5", "1.5", "64"});
    doc.SetDepth(2000, 1);
    Prepare();
    EXPECT_EQ(doc.IterationLimit, 2000) << "the depth box wins over the preset";
    Prepare();
    EXPECT_EQ(doc.IterationLimit, 2000) << "the limit stays until the next entry";
    TakeMandel({"-2.25", "0.75", "-1.5", "1.5", "-7.9"});
    Prepare();
    EXPECT_EQ(doc.IterationLimit, -7);
    TakeMandel({"-2.25", "0.75", "-1.5", "1.5", "1e30"});
    Prepare();
    EXPECT_EQ(doc.IterationLimit, 2147483647) << "depth beyond int saturates";
    TakeMandel({"-2.25", "0.75", "-1.5", "1.5", "nan"});
    Prepare();
    EXPECT_EQ(doc.IterationLimit, 0);
    doc.SetDepth(-5, 1);
    Prepare();
    EXPECT_EQ(doc.IterationLimit, -5);
    EXPECT_EQ(doc.DepthFromBox, 0);
    EXPECT_EQ(doc.PresetChosen, 0);
}

TEST_F(PrepareDrawingTest, PresetDepthIgnoredForKindThree) {
    doc.MandelTexts[4] = "64";
    doc.PresetChosen = 1;
    Prepare();
    EXPECT_EQ(doc.IterationLimit, 15);
}

TEST_F(PrepareDrawingTest, SceneTakesTheChosenKindAndOnlyTheVisibleRowsAndColumns) {
    PixelImage visible{300, 900};
    EXPECT_FALSE(DocumentScene(doc, visible.Surface())) << "no kind, no picture";
    doc.OnJulia();
    doc.JuliaTexts = {"-1.2", "1.2", "-1.6", "1.6", "0.31", "0.025", "500"};
    doc.MandelTexts = {"-2.25", "0.75", "-1.5", "1.5", "64"};
    Prepare();
    const std::optional<EscapeScene> julia = DocumentScene(doc, visible.Surface());
    ASSERT_TRUE(julia);
    EXPECT_TRUE(julia->julia);
    EXPECT_EQ(std::pair(julia->xMin, julia->yMin), std::pair(-1.2, -1.6));
    EXPECT_EQ(std::pair(julia->stepX, julia->stepY), std::pair(doc.JuliaStepX, doc.JuliaStepY));
    EXPECT_EQ(std::pair(julia->cr, julia->ci), std::pair(0.31, 0.025));
    EXPECT_EQ(julia->limit, 15);
    EXPECT_EQ(julia->columns, 300) << "the device is wider than the visible area";
    EXPECT_EQ(julia->rows, 800 - kHiddenRows) << "the hidden rows are never shown";

    doc.OnMandelbrot();
    doc.SetPictureSize(1000, 20);
    Prepare();
    const std::optional<EscapeScene> mandel = DocumentScene(doc, visible.Surface());
    ASSERT_TRUE(mandel);
    EXPECT_FALSE(mandel->julia);
    EXPECT_EQ(std::pair(mandel->xMin, mandel->yMin), std::pair(-2.25, -1.5));
    EXPECT_EQ(mandel->stepY, doc.MandelStepY);
    EXPECT_EQ(mandel->rows, 0) << "a device no taller than the hidden rows shows none";
}

TEST_F(PrepareDrawingTest, ZoomFlagZeroIsIgnoredAndAClickGivesAPointRegion) {
    doc.OnJulia();
    doc.JuliaTexts = {"-2", "2", "-2", "2", "0", "1", "128"};
    Prepare();
    doc.SetZoom(10, 10, 300, 300, 0);
    Prepare();
    EXPECT_EQ(doc.JuliaXMin, -2.0);
    doc.SetZoom(40, 40, 40, 40, 1);
    Prepare();
    EXPECT_EQ(doc.JuliaXMin, doc.JuliaXMax);
    EXPECT_EQ(doc.JuliaStepX, 0.0);
}

TEST_F(PrepareDrawingTest, EmptySurfaceGivesZeroStepsNotInfinity) {
    doc.OnJulia();
    doc.JuliaTexts = {"-2", "2", "-2", "2", "0", "1", "128"};
    doc.SetPictureSize(0, 0);
    Prepare();
    EXPECT_EQ(doc.JuliaStepX, 0.0);
    EXPECT_EQ(doc.JuliaStepY, 0.0);
}

TEST_F(PrepareDrawingTest, PaletteLivesOnlyDuringOneDrawing) {
    doc.OnMandelbrot();
    doc.PrepareDrawing(&dc);
    EXPECT_TRUE(doc.Palette.IsCreated());
    EXPECT_EQ(doc.Palette.GetEntryCount(), 384);
    EXPECT_EQ(dc.ResolveColour(PALETTEINDEX(383)), PixelFromRgb(0, 0, 254));
    EXPECT_EQ(doc.OldPalette, nullptr);
    doc.FinishDrawing(&dc);
    EXPECT_FALSE(doc.Palette.IsCreated());
    EXPECT_EQ(dc.ResolveColour(PALETTEINDEX(383)), PixelFromRgb(0, 0, 0));
}

}  // namespace
}  // namespace morvale
