// Colour values as the drawing code passes them around.
#pragma once

#include <cstdint>

namespace morvale {

// 0x00BBGGRR for a plain RGB value; 0x01000000 | index names an entry of the selected palette.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr COLORREF PALETTEINDEX(std::uint16_t index) {
    return 0x01000000u | index;
}
constexpr bool IsPaletteIndex(COLORREF c) {
    return (c >> 24) == 1;
}
constexpr std::uint16_t PaletteIndexOf(COLORREF c) {
    return std::uint16_t(c & 0xffffu);
}
constexpr std::uint8_t GetRValue(COLORREF c) {
    return std::uint8_t(c);
}
constexpr std::uint8_t GetGValue(COLORREF c) {
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t GetBValue(COLORREF c) {
    return std::uint8_t(c >> 16);
}

// Surface pixels are 0xFFRRGGBB, the layout of an RGB32 image.
using Pixel = std::uint32_t;
constexpr Pixel PixelFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xff000000u | (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr Pixel PixelFromColorref(COLORREF c) {
    return PixelFromRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
constexpr COLORREF ColorrefFromPixel(Pixel p) {
    return RGB(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}

}  // namespace morvale
