#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "doc/ColourSeries.h"

namespace morvale {
namespace {

PALETTEENTRY Entry(int i) {
    return MakeFractalPalette().palPalEntry.at(std::size_t(i));
}

void ExpectEntry(int i, int r, int g, int b) {
    const PALETTEENTRY e = Entry(i);
    EXPECT_EQ(int(e.peRed), r) << "entry " << i;
    EXPECT_EQ(int(e.peGreen), g) << "entry " << i;
    EXPECT_EQ(int(e.peBlue), b) << "entry " << i;
    EXPECT_EQ(int(e.peFlags), 0) << "entry " << i;
}

TEST(FractalPalette, HeaderAndRampEdges) {
    const LOGPALETTE p = MakeFractalPalette();
    EXPECT_EQ(p.palVersion, 0x300);
    EXPECT_EQ(p.palNumEntries, 384);
    ASSERT_EQ(p.palPalEntry.size(), 384u);
    ExpectEntry(0, 0, 0, 0);
    ExpectEntry(1, 0, 4, 0);
    ExpectEntry(63, 0, 252, 0);
    ExpectEntry(64, 0, 128, 0);
    ExpectEntry(127, 0, 254, 0);
    ExpectEntry(128, 0, 0, 0);
    ExpectEntry(130, 8, 0, 0);
    ExpectEntry(192, 128, 0, 0);
    ExpectEntry(255, 254, 0, 0);
    ExpectEntry(256, 0, 0, 0);
    ExpectEntry(319, 0, 0, 252);
    ExpectEntry(320, 0, 0, 128);
    ExpectEntry(383, 0, 0, 254);
}

TEST(FractalPalette, EveryEntryHasOneChannelAndNoneReaches255) {
    const LOGPALETTE p = MakeFractalPalette();
    for (int i = 0; i < 384; ++i) {
        const PALETTEENTRY& e = p.palPalEntry[std::size_t(i)];
        const int block = i / 128;
        EXPECT_EQ(e.peGreen != 0, block == 0 && i % 128 != 0) << i;
        EXPECT_EQ(e.peRed != 0, block == 1 && i % 128 != 0) << i;
        EXPECT_EQ(e.peBlue != 0, block == 2 && i % 128 != 0) << i;
        EXPECT_LT(std::max({e.peRed, e.peGreen, e.peBlue}), 255) << i;
    }
}

TEST(ColourSeries, SixRampsWrapEverySixtyFour) {
    const int base[] = {0, 128, 256, 64, 192, 320};
    for (int series = 1; series <= 6; ++series) {
        EXPECT_EQ(EscapeColourIndex(series, 0, 5.0), base[series - 1]);
        EXPECT_EQ(EscapeColourIndex(series, 63, 5.0), base[series - 1] + 63);
        EXPECT_EQ(EscapeColourIndex(series, 64, 5.0), base[series - 1]);
        EXPECT_EQ(EscapeColourIndex(series, 65, 5.0), base[series - 1] + 1);
    }
}

TEST(ColourSeries, SeriesSevenUsesTheTruncatedModulus) {
    EXPECT_EQ(EscapeColourIndex(7, 99, 400.7), 16);
    EXPECT_EQ(EscapeColourIndex(7, 0, 121.0), 121);
    EXPECT_EQ(EscapeColourIndex(7, 3, 130.9), 130);
    EXPECT_EQ(EscapeColourIndex(7, 3, 0.0), 0);
    EXPECT_EQ(EscapeColourIndex(7, 3, 383.999), 383);
    EXPECT_EQ(EscapeColourIndex(7, 3, 2147483647.5), 2147483647 % 384);
    // Beyond int: the exact remainder of the truncated value.
    EXPECT_EQ(EscapeColourIndex(7, 3, 2147483648.0), int(2147483648LL % 384));
    EXPECT_EQ(EscapeColourIndex(7, 3, 1e15 + 0.5), int(1000000000000000LL % 384));
    EXPECT_EQ(EscapeColourIndex(7, 3, 1e300), int(std::fmod(1e300, 384.0)));
    EXPECT_EQ(EscapeColourIndex(7, 3, std::numeric_limits<double>::max()),
              int(std::fmod(std::numeric_limits<double>::max(), 384.0)));
    EXPECT_EQ(EscapeColourIndex(7, 3, std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(EscapeColourIndex(7, 3, std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ColourSeries, UnknownSeriesDrawsNothing) {
    EXPECT_EQ(EscapeColourIndex(0, 1, 200.0), -1);
    EXPECT_EQ(EscapeColourIndex(8, 1, 200.0), -1);
    EXPECT_EQ(EscapeColourIndex(-3, 1, 200.0), -1);
}

}  // namespace
}  // namespace morvale
