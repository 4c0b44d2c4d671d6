#include "render/deep/JuliaFoldBits.h"

#include <cmath>
#include <cstdint>

#include "plane/DeepRegion.h"

namespace morvale {

namespace {

double Log2(FloatExp a) {
    return a.m > 0.0 ? std::log2(a.m) + double(a.e) : -HUGE_VAL;
}

}  // namespace

long JuliaFoldBits(const ReferenceOrbit& orbit, FloatExp step, FloatExp reach, bool escaped) {
    double spacing = Log2(step), spread = Log2(reach), need = 0.0;
    bool folded = false;
    for (std::int64_t m = 0; m + 1 < orbit.Size() && spacing < -16.0; ++m) {
        const ComplexExp z = orbit.Wide(m);
        const double size = Log2(FloatExp::Normalised(std::hypot(z.re, z.im), z.e));
        if (size > spread + 1.0) {  // the picture stays clear of 0: times |2Z|
            spacing += size + 1.0;
            spread += size + 1.0;
            continue;
        }
        spacing *= 2.0;  // squared around 0
        spread = std::max(2.0 * spread, spread + size + 1.0);
        const ComplexExp next = orbit.Wide(m + 1);
        const double nextSize = Log2(FloatExp::Normalised(std::hypot(next.re, next.im), next.e));
        need = std::max(need, std::max(nextSize, 1.0) - spacing);
        folded = true;
    }
    const bool spreadOut = spacing >= -16.0 || escaped;
    return folded && spreadOut ? long(std::ceil(need)) + DeepRegion::kMarginBits : 0;
}

}  // namespace morvale
