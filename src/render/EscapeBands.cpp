#include "render/EscapeBands.h"

#include <algorithm>

#include "render/EscapeRenderer.h"

namespace morvale {

EscapeBands::EscapeBands(const EscapeScene& scene, const EscapeColouring& colours, int width,
                         int height, Pixel background)
    : scene_(scene), colours_(colours), width_(width), height_(height), background_(background) {}

EscapeTally EscapeBands::Render(int rowBegin, int rowEnd, const PixelSurface& band) const {
    for (int y = rowBegin; y < rowEnd; ++y)
        std::fill_n(band.Row(y - rowBegin), width_, background_);
    // The sample row is firstSampleRow + client row in whole numbers, so moving rowBegin from
    // one to the other changes no pixel.
    EscapeScene part = scene_;
    part.firstSampleRow += rowBegin;
    part.rows = std::min(rowEnd, scene_.rows) - rowBegin;
    return RenderEscapeTime(part, colours_, band);
}

}  // namespace morvale
