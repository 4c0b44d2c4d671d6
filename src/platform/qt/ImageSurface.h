// The pixels of a Format_RGB32 image as the surface device contexts draw on.
#pragma once

#include <QImage>

#include "platform/PixelSurface.h"

namespace morvale {

inline PixelSurface ImageSurface(QImage& image) {
    return {reinterpret_cast<Pixel*>(image.bits()), image.width(), image.height(),
            int(image.bytesPerLine() / qsizetype(sizeof(Pixel)))};
}

}  // namespace morvale
