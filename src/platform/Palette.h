// A logical palette: the record it is created from and the created object.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Colour.h"

namespace morvale {

struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
};

struct LOGPALETTE {
    std::uint16_t palVersion = 0x300;
    std::uint16_t palNumEntries = 0;
    std::vector<PALETTEENTRY> palPalEntry;  // palNumEntries records
};

class CPalette {
public:
    // False (and nothing created) when the record's count and entries disagree or it is empty.
    bool CreatePalette(const LOGPALETTE& record);
    bool DeleteObject();
    bool IsCreated() const { return created_; }
    int GetEntryCount() const { return created_ ? int(pixels_.size()) : 0; }
    // Surface pixel of an entry; black for an index outside the palette.
    Pixel EntryPixel(int index) const;
    const std::vector<Pixel>& EntryPixels() const { return pixels_; }

private:
    bool created_ = false;
    std::vector<Pixel> pixels_;
};

}  // namespace morvale
