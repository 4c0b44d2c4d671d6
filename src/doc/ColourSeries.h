// The 384-entry fractal palette and how a colour series picks an entry for an escaped point.
#pragma once

#include <cmath>

#include "platform/Palette.h"

namespace morvale {

inline constexpr int kPaletteEntries = 384;
inline constexpr int kSeriesLength = 64;
inline constexpr int kFirstSeries = 1;
inline constexpr int kLastSeries = 7;

// The record BuildPalette fills: three blocks (green, red, blue) of a dark and a light ramp.
LOGPALETTE MakeFractalPalette();

// First palette entry of series 1..6; series 7 spans the whole palette.
inline constexpr int kSeriesBase[7] = {0, 128, 256, 64, 192, 320, 0};

// trunc(m) mod 384 for an escape modulus; moduli too large for an int are reduced exactly,
// infinity and not-a-number give 0.
inline int ModulusIndex(double m) {
    if (m >= 0.0 && m < 2147483648.0) return int(m) % kPaletteEntries;
    if (!std::isfinite(m)) return 0;
    const int r = int(std::fmod(std::trunc(m), double(kPaletteEntries)));
    return r < 0 ? r + kPaletteEntries : r;
}

// Palette index drawn for a point that escaped after k counted iterations with squared modulus m,
// or -1 when the series draws nothing (a value outside 1..7).
inline int EscapeColourIndex(int series, int k, double m) {
    if (series < kFirstSeries || series > kLastSeries) return -1;
    if (series == kLastSeries) return ModulusIndex(m);
    return kSeriesBase[series - 1] + k % kSeriesLength;
}

}  // namespace morvale
