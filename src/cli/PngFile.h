// PNG files of pixel images (RGB, 8 bits per channel).
#pragma once

#include <string>

#include "platform/PixelSurface.h"

namespace morvale {

// Writes the image to a temporary file beside path and renames it over path, so that a failed
// write leaves nothing behind. Returns an empty string or the reason of the failure.
std::string WritePng(const PixelImage& image, const std::string& path);

// Reads a PNG into an image; false when it cannot be read.
bool ReadPng(const std::string& path, PixelImage& image);

}  // namespace morvale
