#include "platform/PixelSurface.h"

#include <algorithm>

namespace morvale {

PixelImage::PixelImage(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

}  // namespace morvale
