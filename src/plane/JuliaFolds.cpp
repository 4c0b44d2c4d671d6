#include "plane/JuliaFolds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "plane/FloatExp.h"

namespace morvale {
namespace {

constexpr int kMaxSteps = 10000;
// Steps this large survive any fold: their square still spans many units in the last place.
constexpr double kWideStep = 0x1p-16;
const double kResolved = std::ldexp(1.0, -DeepRegion::kThresholdBits);

FloatExp NotBelowZero(FloatExp a) {
    return a.m > 0.0 ? a : FloatExp{};
}

FloatExp Hypot(FloatExp a, FloatExp b) {
    const std::int64_t e = std::max(a.e, b.e);
    return FloatExp::Normalised(
        std::hypot(floatexp_detail::Scale(a.m, a.e - e), floatexp_detail::Scale(b.m, b.e - e)), e);
}

}  // namespace

bool JuliaOrbitsFold(const DeepRegion& region, int width, int height, int limit) {
    if (!region.Julia() || width <= 0 || height <= 0) return false;
    // Widths in FloatExp: around 0 a deep picture's squared spacing is far below double's range.
    const FloatExp stepX = Abs(RoundedExp(region.StepX(width, 64)));
    const FloatExp stepY = Abs(RoundedExp(region.StepY(height, 64)));
    FloatExp step = region.PixelStep(width, height);
    // From the centre to the farthest pixel.
    FloatExp spread =
        Hypot(stepX * FloatExp::From(width), stepY * FloatExp::From(height)) * FloatExp::From(0.5);
    if (!(step.m > 0) || !std::isfinite(spread.m) || !(step < FloatExp::From(kWideStep)))
        return false;
    const double cr = region.Value(4).ToDouble(), ci = region.Value(5).ToDouble();
    double zr = (region.Value(0).ToDouble() + region.Value(1).ToDouble()) / 2;
    double zi = (region.Value(2).ToDouble() + region.Value(3).ToDouble()) / 2;
    const FloatExp two = FloatExp::From(2.0);
    bool lost = false;
    for (int n = 0; n < std::min(limit, kMaxSteps); ++n) {
        const FloatExp distance = FloatExp::From(std::hypot(zr, zi));
        const FloatExp nearest = NotBelowZero(distance - spread);
        // The pixels nearest to 0 lie apart by about this after the step; the others by the
        // spacing the picture's spread gives them, which the next steps go on from.
        const FloatExp closest = step * (two * nearest + step);
        step = step * (two * nearest < spread ? spread : two * nearest);
        spread = spread * (two * distance + spread);
        const double r = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = r;
        const double size = std::hypot(zr, zi);
        if (!(size * size <= 100.0)) return lost;
        if (closest < FloatExp::From(kResolved * size)) lost = true;
        // Spread out again past the loss: the pixels' counts tell what double merged.
        if (lost && !(step < FloatExp::From(kWideStep))) return true;
        if (step.m == 0.0) return false;  // every pixel in one point: an attracting cycle's pull
        // From here the spread and the spacing only grow, so nothing can merge any more; going on
        // would square the spread until its exponent overflows.
        if (!(spread < FloatExp::From(1.0)) && !(step < FloatExp::From(kWideStep))) return lost;
    }
    return false;
}

}  // namespace morvale
