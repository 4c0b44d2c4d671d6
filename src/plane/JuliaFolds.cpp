#include "plane/JuliaFolds.h"

#include <algorithm>
#include <cmath>

namespace morvale {
namespace {

constexpr int kMaxSteps = 10000;
// Steps this large survive any fold: their square still spans many units in the last place.
constexpr double kWideStep = 0x1p-16;
const double kResolved = std::ldexp(1.0, -DeepRegion::kThresholdBits);

}  // namespace

bool JuliaOrbitsFold(const DeepRegion& region, int width, int height, int limit) {
    if (!region.Julia() || width <= 0 || height <= 0) return false;
    const double x0 = region.Value(0).ToDouble(), x1 = region.Value(1).ToDouble();
    const double y0 = region.Value(2).ToDouble(), y1 = region.Value(3).ToDouble();
    const double cr = region.Value(4).ToDouble(), ci = region.Value(5).ToDouble();
    double step = std::min(std::fabs(x1 - x0) / width, std::fabs(y1 - y0) / height);
    double spread = std::hypot(x1 - x0, y1 - y0) / 2;  // from the centre to the farthest pixel
    if (!(step > 0) || !std::isfinite(spread) || step >= kWideStep) return false;
    double zr = (x0 + x1) / 2, zi = (y0 + y1) / 2;
    bool lost = false;
    for (int n = 0; n < std::min(limit, kMaxSteps); ++n) {
        const double distance = std::hypot(zr, zi);
        const double nearest = std::max(distance - spread, 0.0);
        // The pixels nearest to 0 lie apart by about this after the step; the others by the
        // spacing the picture's spread gives them, which the next steps go on from.
        const double closest = step * (2 * nearest + step);
        step *= std::max(2 * nearest, spread);
        spread *= 2 * distance + spread;
        const double r = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = r;
        const double size = std::hypot(zr, zi);
        if (!(size * size <= 100.0)) return lost;
        if (closest < kResolved * size) lost = true;
        // Spread out again past the loss: the pixels' counts tell what double merged.
        if (lost && step >= kWideStep) return true;
        if (step == 0.0) return false;  // every pixel in one point: an attracting cycle's pull
    }
    return false;
}

}  // namespace morvale
