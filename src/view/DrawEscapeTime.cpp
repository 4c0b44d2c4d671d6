#include <algorithm>
#include <optional>

#include "doc/Morvale1Doc.h"
#include "render/EscapeRenderer.h"
#include "view/FractalView.h"
#include "view/drawing/DocumentScene.h"

namespace morvale {

void CFractalView::DrawEscapeTime(CDC* dc) {
    CMorvale1Doc* doc = GetDocument();
    doc->PrepareDrawing(dc);
    LastEscapeTally = {};
    const PixelSurface& surface = dc->Surface();
    if (const std::optional<EscapeScene> scene = DocumentScene(*doc, surface)) {
        if (ComputeEscapeTime(*scene, ColouringFromDevice(*dc, ColourSeries), surface))
            dc->MarkDirty({0, 0, scene->columns, scene->rows});
        // Where the plain loop leaves its counters.
        PixelColumn = std::max(PictureWidth, 0);
        if (PictureWidth > 0) PixelRow = std::max(PictureHeight, 0);
    }
    doc->FinishDrawing(dc);
}

bool CFractalView::ComputeEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                     const PixelSurface& surface) {
    LastEscapeTally = RenderEscapeTime(scene, colours, surface);
    return true;
}

}  // namespace morvale
