// A view onto 32-bit RGB pixels owned elsewhere (an image of the window, a page, a buffer).
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Colour.h"

namespace morvale {

struct PixelSurface {
    Pixel* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // pixels from one row to the next

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Pixel* Row(int y) const { return bits + std::ptrdiff_t(y) * stride; }
    Pixel& At(int x, int y) const { return Row(y)[x]; }
};

// Pixels owned by value, for the command-line renderer and the tests.
class PixelImage {
public:
    PixelImage() = default;
    PixelImage(int width, int height, Pixel fill = PixelFromRgb(0, 0, 0));
    PixelSurface Surface() { return {pixels_.data(), width_, height_, width_}; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Pixel At(int x, int y) const {
        return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
    }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace morvale
