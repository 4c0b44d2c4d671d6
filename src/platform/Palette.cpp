#include "platform/Palette.h"

namespace morvale {

bool CPalette::CreatePalette(const LOGPALETTE& record) {
    if (record.palNumEntries == 0 || record.palPalEntry.size() != record.palNumEntries)
        return false;
    pixels_.clear();
    pixels_.reserve(record.palNumEntries);
    for (const PALETTEENTRY& e : record.palPalEntry)
        pixels_.push_back(PixelFromRgb(e.peRed, e.peGreen, e.peBlue));
    created_ = true;
    return true;
}

bool CPalette::DeleteObject() {
    if (!created_) return false;
    created_ = false;
    pixels_.clear();
    return true;
}

Pixel CPalette::EntryPixel(int index) const {
    if (!created_ || index < 0 || index >= int(pixels_.size())) return PixelFromRgb(0, 0, 0);
    return pixels_[std::size_t(index)];
}

}  // namespace morvale
