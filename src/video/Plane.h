// One 8-bit channel of a picture. Rows are padded and the last is followed by slack, so vector
// code may read a whole vector past any pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "video/PageAllocator.h"

namespace morvale {

inline constexpr int kPlaneSlack = 128;  // bytes, more than the widest vector

struct Plane {
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // bytes from one row to the next
    std::vector<std::uint8_t, PageAllocator<std::uint8_t>> bytes;

    Plane() = default;
    Plane(int w, int h)
        : width(w),
          height(h),
          stride((std::ptrdiff_t(w) + 63) / 64 * 64),
          bytes(std::size_t(stride) * std::size_t(h) + kPlaneSlack) {}
    const std::uint8_t* Row(int y) const { return bytes.data() + stride * y; }
    std::uint8_t* Row(int y) { return bytes.data() + stride * y; }
};

// Where a composed channel goes: someone else's memory (an encoder's picture, or one channel of
// interleaved RGB when step is 3).
struct PlaneTarget {
    std::uint8_t* data = nullptr;
    std::ptrdiff_t stride = 0;  // bytes between rows
    int step = 1;               // bytes between pixels
    int width = 0;
    int height = 0;
};

}  // namespace morvale
