// The document's regions: views and zooms applied at full precision beside the doubles, the
// steps, and the view a drawing takes from them.
#include <algorithm>
#include <bit>

#include "doc/Morvale1Doc.h"
#include "plane/JuliaFolds.h"

namespace morvale {
namespace {

double Step(double min, double max, int pixels) {
    // A surface without pixels has no step; 0 keeps every derived value finite.
    return pixels > 0 ? (max - min) / pixels : 0.0;
}

PlaneBox RoundedBox(const DeepRegion& deep) {
    return {deep.Value(0).ToDouble(), deep.Value(1).ToDouble(), deep.Value(2).ToDouble(),
            deep.Value(3).ToDouble()};
}

// Enough bits for the bounds a drag on the old picture selects, to the last new pixel.
long ZoomBits(const DeepRegion& old, int width, int height) {
    return old.WorkingBits(width, height) +
           2 * long(std::bit_width(unsigned(std::max({width, height, 1})))) + 64;
}

}  // namespace

void CMorvale1Doc::ApplyView() {
    const PlaneView& view = PendingView;
    // A view drawn deep comes back at full precision; any other from its exact doubles.
    const DeepRegion deep =
        view.deep
            ? *view.deep
            : DeepRegion::FromDoubles(view.julia, {view.box.xMin, view.box.xMax, view.box.yMin,
                                                   view.box.yMax, view.p, view.q});
    if (view.julia) {
        SetJuliaRegion({view.box, view.p, view.q, double(view.limit)});
        JuliaDeep = deep;
    } else {
        SetMandelRegion({view.box, double(view.limit)});
        MandelDeep = deep;
    }
    IterationLimit = view.limit;
}

void CMorvale1Doc::ApplyZoom() {
    // Corners in client pixels; rows gain the hidden sample rows above the client area.
    const double sx = ZoomCorners.x0, ex = ZoomCorners.x1;
    const double sy = ZoomCorners.y0 + kHiddenRows, ey = ZoomCorners.y1 + kHiddenRows;
    // All four bounds from the old minima, at the steps of the picture on the screen.
    auto zoom = [&](const PlaneBox& old, double stepX, double stepY) {
        return PlaneBox{sx * stepX + old.xMin, ex * stepX + old.xMin, sy * stepY + old.yMin,
                        ey * stepY + old.yMin};
    };
    JuliaDeep = ZoomedDeep(JuliaDeep);
    MandelDeep = ZoomedDeep(MandelDeep);
    // A deep picture's doubles have collapsed below its pixels: the zoomed region's come from the
    // full-precision one, so a zoom back out draws what it selected.
    JuliaRegion julia = GetJuliaRegion();
    julia.box = JuliaIsDeep ? RoundedBox(JuliaDeep) : zoom(julia.box, JuliaStepX, JuliaStepY);
    julia.depth = IterationLimit;
    SetJuliaRegion(julia);
    MandelRegion mandel = GetMandelRegion();
    mandel.box = MandelIsDeep ? RoundedBox(MandelDeep) : zoom(mandel.box, MandelStepX, MandelStepY);
    mandel.depth = IterationLimit;
    SetMandelRegion(mandel);
}

void CMorvale1Doc::SettleZoom() {
    if (ZoomPending != 1) return;
    ApplyZoom();
    ComputeSteps();
    ZoomPending = 0;
}

// The full-precision region follows every zoom at the precision of its finest value, also on the
// double path, so zooming out and in again comes back to the same place.
DeepRegion CMorvale1Doc::ZoomedDeep(const DeepRegion& deep) const {
    const double sx = ZoomCorners.x0, ex = ZoomCorners.x1;
    const double sy = ZoomCorners.y0 + kHiddenRows, ey = ZoomCorners.y1 + kHiddenRows;
    const long bits = std::max(ZoomBits(deep, stepsWidth_, stepsHeight_), deep.BoundBits());
    return deep.Zoomed(sx, ex, sy, ey, deep.StepX(stepsWidth_, bits),
                       deep.StepY(stepsHeight_, bits), bits);
}

void CMorvale1Doc::ComputeSteps() {
    JuliaStepX = Step(JuliaXMin, JuliaXMax, PictureWidth);
    JuliaStepY = Step(JuliaYMin, JuliaYMax, PictureHeight);
    MandelStepX = Step(MandelPMin, MandelPMax, PictureWidth);
    MandelStepY = Step(MandelQMin, MandelQMax, PictureHeight);
    stepsWidth_ = PictureWidth;
    stepsHeight_ = PictureHeight;
    JuliaIsDeep =
        DeepZoom && (JuliaDeep.NeedsDeep(PictureWidth, PictureHeight) ||
                     JuliaOrbitsFold(JuliaDeep, PictureWidth, PictureHeight, IterationLimit));
    MandelIsDeep = DeepZoom && MandelDeep.NeedsDeep(PictureWidth, PictureHeight);
}

std::optional<PlaneView> CMorvale1Doc::CurrentView() const {
    if (FractalKind == Fractal::Julia)
        return PlaneView{true,           GetJuliaRegion().box,
                         JuliaP,         JuliaQ,
                         IterationLimit, std::make_shared<const DeepRegion>(JuliaDeep)};
    if (FractalKind == Fractal::Mandelbrot)
        return PlaneView{
            false, GetMandelRegion().box, 0.0,
            0.0,   IterationLimit,        std::make_shared<const DeepRegion>(MandelDeep)};
    return std::nullopt;
}

}  // namespace morvale
