#include "render/EscapeRenderer.h"

#include "render/deep/DeepRenderer.h"
#include "render/escape/DoubleRenderer.h"

namespace morvale {

EscapeColouring ColouringFromDevice(const CDC& dc, int series) {
    EscapeColouring colours;
    for (int i = 0; i < kPaletteEntries; ++i)
        colours.palette[std::size_t(i)] = dc.ResolveColour(PALETTEINDEX(std::uint16_t(i)));
    colours.black = dc.ResolveColour(RGB(0, 0, 0));
    colours.series = series;
    return colours;
}

EscapeTally RenderEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                             const PixelSurface& surface, EscapeStrategy strategy,
                             EscapeProgress* progress) {
    if (scene.deep) return RenderDeepEscapeTime(scene, colours, surface, progress);
    return RenderDoubleEscapeTime(scene, colours, surface, strategy, progress);
}

}  // namespace morvale
