// A picture as 8-bit RGB triples, row by row without padding. The last row is followed by slack,
// as vector code (libswscale's among it) reads past it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "video/PageAllocator.h"
#include "video/Plane.h"

namespace morvale {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t, PageAllocator<std::uint8_t>> rgb;  // width · height · 3 and slack

    RgbImage() = default;
    RgbImage(int w, int h)
        : width(w), height(h), rgb(std::size_t(w) * std::size_t(h) * 3 + kPlaneSlack) {}
    std::size_t Bytes() const { return std::size_t(width) * std::size_t(height) * 3; }
    const std::uint8_t* Row(int y) const { return rgb.data() + std::size_t(y) * width * 3; }
    std::uint8_t* Row(int y) { return rgb.data() + std::size_t(y) * width * 3; }
};

// The PNG's pixels as RGB; empty with a German reason in error when it cannot be read.
RgbImage ReadPngRgb(const std::string& path, std::string& error);
// False when the file cannot be written.
bool WritePngRgb(const RgbImage& image, const std::string& path);

}  // namespace morvale
