#include "view/escape/EscapeBands.h"

#include <algorithm>

#include "view/escape/EscapeRenderer.h"

namespace morvale {

EscapeBands::EscapeBands(const EscapeScene& scene, const EscapeColouring& colours, int width,
                         int height, Pixel background)
    : scene_(scene), colours_(colours), width_(width), height_(height), background_(background) {}

EscapeTally EscapeBands::Render(int rowBegin, int rowEnd, const PixelSurface& band) const {
    for (int y = rowBegin; y < rowEnd; ++y)
        std::fill_n(band.Row(y - rowBegin), width_, background_);
    return RenderEscapeBand(scene_, colours_, rowBegin, rowEnd, band);
}

}  // namespace morvale
