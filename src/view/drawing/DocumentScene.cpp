#include "view/drawing/DocumentScene.h"

#include <algorithm>
#include <memory>

#include "doc/Morvale1Doc.h"
#include "render/deep/DeepScene.h"

namespace morvale {

std::optional<EscapeScene> DocumentScene(const CMorvale1Doc& doc, const PixelSurface& visible) {
    if (doc.FractalKind != Fractal::Julia && doc.FractalKind != Fractal::Mandelbrot)
        return std::nullopt;
    const bool julia = doc.FractalKind == Fractal::Julia;
    EscapeScene scene;
    scene.julia = julia;
    scene.xMin = julia ? doc.JuliaXMin : doc.MandelPMin;
    scene.yMin = julia ? doc.JuliaYMin : doc.MandelQMin;
    scene.stepX = julia ? doc.JuliaStepX : doc.MandelStepX;
    scene.stepY = julia ? doc.JuliaStepY : doc.MandelStepY;
    scene.cr = doc.JuliaP;
    scene.ci = doc.JuliaQ;
    scene.limit = doc.IterationLimit;
    scene.columns = std::clamp(doc.PictureWidth, 0, visible.width);
    scene.rows = std::clamp(doc.PictureHeight - kHiddenRows, 0, visible.height);
    if (julia ? doc.JuliaIsDeep : doc.MandelIsDeep)
        scene.deep = std::make_shared<DeepScene>(
            julia ? doc.JuliaDeep : doc.MandelDeep,
            DeepFrame{doc.PictureWidth, doc.PictureHeight, scene.columns, scene.firstSampleRow,
                      scene.rows, doc.IterationLimit});
    return scene;
}

}  // namespace morvale
