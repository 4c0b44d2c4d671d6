#include "cli/PngFile.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace morvale {

std::string WritePng(const PixelImage& image, const std::string& path) {
    std::vector<png_byte> rgb;
    rgb.reserve(image.Pixels().size() * 3);
    for (const Pixel p : image.Pixels()) {
        rgb.push_back(png_byte(p >> 16));
        rgb.push_back(png_byte(p >> 8));
        rgb.push_back(png_byte(p));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.Width());
    png.height = png_uint_32(image.Height());
    png.format = PNG_FORMAT_RGB;

    const std::string temporary = path + ".tmp-" + std::to_string(getpid());
    if (!png_image_write_to_file(&png, temporary.c_str(), 0, rgb.data(), 0, nullptr)) {
        std::string reason = png.message;
        std::remove(temporary.c_str());
        return reason;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return "Umbenennen fehlgeschlagen";
    }
    return {};
}

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
