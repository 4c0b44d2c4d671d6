#include "PngFile.h"

#include <png.h>

#include <vector>

namespace morvale {

bool ReadPng(const std::string& path, PixelImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return false;
    image = PixelImage(int(png.width), int(png.height));
    PixelSurface surface = image.Surface();
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const png_byte* p = &rgb[(std::size_t(y) * png.width + std::size_t(x)) * 3];
            surface.At(x, y) = PixelFromRgb(p[0], p[1], p[2]);
        }
    return true;
}

}  // namespace morvale
