#include "video/RgbImage.h"

#include <png.h>

namespace morvale {

RgbImage ReadPngRgb(const std::string& path, std::string& error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    RgbImage out(int(image.width), int(image.height));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return {};
    }
    error.clear();
    return out;
}

bool WritePngRgb(const RgbImage& image, const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr) != 0;
}

}  // namespace morvale
