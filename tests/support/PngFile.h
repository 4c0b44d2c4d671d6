// PNG files read back into pixel images (RGB, 8 bits per channel).
#pragma once

#include <string>

#include "platform/PixelSurface.h"

namespace morvale {

// Reads a PNG into an image; false when it cannot be read.
bool ReadPng(const std::string& path, PixelImage& image);

}  // namespace morvale
