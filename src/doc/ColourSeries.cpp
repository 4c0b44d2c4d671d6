#include "doc/ColourSeries.h"

#include <cstdint>

namespace morvale {

LOGPALETTE MakeFractalPalette() {
    LOGPALETTE record;
    record.palVersion = 0x300;
    record.palNumEntries = kPaletteEntries;
    record.palPalEntry.resize(kPaletteEntries);
    // Within a block of 128 the level is 4·j on the dark ramp and 2·j on the light one.
    for (int i = 0; i < kPaletteEntries; ++i) {
        const int block = i / 128;
        const int j = i - 128 * block;
        const auto level = std::uint8_t(j < 64 ? 4 * j : 2 * j);
        PALETTEENTRY& e = record.palPalEntry[std::size_t(i)];
        e = {0, 0, 0, 0};
        if (block == 0) e.peGreen = level;
        if (block == 1) e.peRed = level;
        if (block == 2) e.peBlue = level;
    }
    return record;
}

}  // namespace morvale
