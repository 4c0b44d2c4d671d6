// A picture's size in pixels: the device it is computed for, or its visible client area.
#pragma once

namespace morvale {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

}  // namespace morvale
