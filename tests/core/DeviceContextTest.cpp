#include <gtest/gtest.h>

#include "doc/ColourSeries.h"
#include "platform/CDC.h"

namespace morvale {
namespace {

constexpr Pixel kWhite = PixelFromRgb(255, 255, 255);

class DeviceContextTest : public ::testing::Test {
protected:
    PixelImage image{8, 6, kWhite};
    CDC dc{image.Surface(), 1920, 1080};
};

TEST_F(DeviceContextTest, ReportsTheDeviceSizeNotTheSurface) {
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 1920);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 1080);
}

TEST_F(DeviceContextTest, PaletteIndexTakesTheRealisedEntry) {
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(MakeFractalPalette()));
    EXPECT_EQ(dc.SelectPalette(&palette, false), nullptr);
    dc.RealizePalette();
    dc.SetPixel(1, 1, PALETTEINDEX(63));
    dc.SetPixel(2, 1, RGB(1, 2, 3));
    EXPECT_EQ(image.At(1, 1), PixelFromRgb(0, 252, 0));
    EXPECT_EQ(image.At(2, 1), PixelFromRgb(1, 2, 3));
    // Selected but not realised: the index still resolves through the realised palette.
    CPalette other;
    LOGPALETTE one;
    one.palNumEntries = 1;
    one.palPalEntry = {{9, 9, 9, 0}};
    other.CreatePalette(one);
    EXPECT_EQ(dc.SelectPalette(&other, false), &palette);
    dc.SetPixel(3, 1, PALETTEINDEX(63));
    EXPECT_EQ(image.At(3, 1), PixelFromRgb(0, 252, 0));
}

TEST_F(DeviceContextTest, ClipsPixelsOutsideTheSurface) {
    dc.SetPixel(-1, 0, RGB(0, 0, 0));
    dc.SetPixel(8, 0, RGB(0, 0, 0));
    dc.SetPixel(0, 6, RGB(0, 0, 0));
    for (Pixel p : image.Pixels()) EXPECT_EQ(p, kWhite);
    EXPECT_TRUE(dc.TakeDirtyRect().IsEmpty());
}

// A frame far larger than the surface (a zoom of any size) leaves only its visible edges.
TEST_F(DeviceContextTest, RectanglesReachingFarOutsideDrawTheirVisibleEdges) {
    dc.Rectangle(-2000000000, 2, 2000000000, 2000000000);
    dc.Rectangle(3, -2000000000, 2000000000, 4);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            // The second one's white fill covers the first one's top edge right of x = 3.
            const bool edge = (y == 2 && x <= 3) || (x == 3 && y <= 3) || (y == 3 && x >= 3);
            EXPECT_EQ(image.At(x, y), edge ? PixelFromRgb(0, 0, 0) : kWhite) << x << "," << y;
        }
}

TEST_F(DeviceContextTest, LineLeavesTheEndPixelOut) {
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    dc.MoveTo(0, 0);
    dc.LineTo(4, 0);
    dc.SelectObject(old);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.At(x, 0), PixelFromRgb(255, 0, 0)) << x;
    EXPECT_EQ(image.At(4, 0), kWhite);
    EXPECT_EQ(dc.GetCurrentPosition(), (CPoint{4, 0}));
    const CRect dirty = dc.TakeDirtyRect();
    EXPECT_EQ(dirty, (CRect{0, 0, 4, 1}));
}

TEST_F(DeviceContextTest, DiagonalLineAndZeroLengthLine) {
    dc.MoveTo(5, 5);
    dc.LineTo(2, 2);
    EXPECT_EQ(image.At(5, 5), PixelFromRgb(0, 0, 0));
    EXPECT_EQ(image.At(3, 3), PixelFromRgb(0, 0, 0));
    EXPECT_EQ(image.At(2, 2), kWhite);
    dc.MoveTo(7, 0);
    dc.LineTo(7, 0);
    EXPECT_EQ(image.At(7, 0), kWhite);
}

TEST_F(DeviceContextTest, HollowRectangleOutlineExcludesRightAndBottom) {
    dc.SelectStockBrush(NULL_BRUSH);
    dc.Rectangle(5, 4, 1, 1);  // corners in any order
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool edge = (x == 1 || x == 4) && y >= 1 && y <= 3;
            const bool row = (y == 1 || y == 3) && x >= 1 && x <= 4;
            EXPECT_EQ(image.At(x, y), (edge || row) ? PixelFromRgb(0, 0, 0) : kWhite)
                << x << ',' << y;
        }
    }
}

TEST_F(DeviceContextTest, InvertingOutlineTwiceRestoresEveryPixel) {
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            image.Surface().At(x, y) = PixelFromRgb(uint8_t(x * 30), uint8_t(y * 40), 7);
    const std::vector<Pixel> before = image.Pixels();
    dc.SelectStockBrush(NULL_BRUSH);
    const RasterOperation oldMode = dc.SetROP2(R2_NOT);
    // Thin and degenerate rectangles too: a shared pixel must not be inverted twice in one pass.
    const CRect rects[] = {{0, 0, 8, 6}, {2, 1, 3, 5}, {1, 2, 6, 3}, {-3, -3, 6, 4}};
    for (const CRect& r : rects) {
        dc.Rectangle(r.left, r.top, r.right, r.bottom);
        EXPECT_NE(image.Pixels(), before);
        dc.Rectangle(r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(image.Pixels(), before);
    }
    EXPECT_EQ(dc.SetROP2(oldMode), R2_NOT);
    dc.Rectangle(2, 1, 3, 2);
    EXPECT_EQ(image.At(2, 1), PixelFromRgb(0, 0, 0));
}

}  // namespace
}  // namespace morvale
