#include "render/deep/Nucleus.h"

#include <algorithm>

namespace morvale {
namespace {

constexpr int kMaxSteps = 12;

BigFloat FromExp(double m, std::int64_t e, long bits) {
    BigFloat v(m, bits);
    mpfr_mul_2si(v.get(), v.get(), long(e), MPFR_RNDN);
    return v;
}

}  // namespace

std::int64_t AtomPeriod(const ReferenceOrbit& orbit, FloatExp reach) {
    const FloatExp reach2 = reach * reach;
    ComplexExp d{};
    for (std::int64_t m = 0; m + 1 < orbit.Size(); ++m) {
        const ComplexExp z = orbit.Wide(m);
        d = ComplexExp{z.re, z.im, z.e + 1} * d + ComplexExp::From(1.0, 0.0);
        if (orbit.Wide(m + 1).Norm() < d.Norm() * reach2) return m + 1;
    }
    return 0;
}

std::optional<DeepPoint> FindNucleus(const DeepPoint& start, std::int64_t period, FloatExp reach,
                                     long bits, const std::atomic<bool>* stop) {
    DeepPoint c{start.re, start.im};
    const std::int64_t interval = ReferenceOrbit::CheckInterval(bits);
    BigFloat x(bits), y(bits), x2(bits), y2(bits), xy(bits), t(bits);
    const FloatExp far2 = (reach * FloatExp::From(8.0)) * (reach * FloatExp::From(8.0));
    // Settled once a step is down to the working precision: a minibrot found this deep is far
    // smaller than a pixel, and only a nucleus that close lies inside it and never escapes.
    const FloatExp fine2 = FloatExp::Normalised(1.0, -2 * (bits - 16));
    for (int step = 0; step < kMaxSteps; ++step) {
        mpfr_set_zero(x.get(), 1);
        mpfr_set_zero(y.get(), 1);
        ComplexExp d{};
        for (std::int64_t n = 0; n < period; ++n) {
            if (n % interval == 0 && stop && stop->load(std::memory_order_relaxed)) return {};
            const ComplexExp z = WideOf(x, y);
            d = ComplexExp{z.re, z.im, z.e + 1} * d + ComplexExp::From(1.0, 0.0);
            mpfr_sqr(x2.get(), x.get(), MPFR_RNDN);
            mpfr_sqr(y2.get(), y.get(), MPFR_RNDN);
            mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
            mpfr_sub(x.get(), x2.get(), y2.get(), MPFR_RNDN);
            mpfr_add(x.get(), x.get(), c.re.get(), MPFR_RNDN);
            mpfr_mul_2ui(y.get(), xy.get(), 1, MPFR_RNDN);
            mpfr_add(y.get(), y.get(), c.im.get(), MPFR_RNDN);
        }
        // delta = Z_p / D_p
        const ComplexExp z = WideOf(x, y);
        const FloatExp norm = d.Norm();
        if (norm.m == 0.0) return {};
        const double dr = d.re, di = -d.im;  // conj(d) / |d|² in d's scale
        const ComplexExp num = z * ComplexExp{dr, di, d.e};
        const FloatExp inverse = FloatExp::From(1.0) / norm;
        const ComplexExp delta = Scaled(num, inverse);
        mpfr_sub(c.re.get(), c.re.get(), FromExp(delta.re, delta.e, 64).get(), MPFR_RNDN);
        mpfr_sub(c.im.get(), c.im.get(), FromExp(delta.im, delta.e, 64).get(), MPFR_RNDN);
        mpfr_sub(t.get(), c.re.get(), start.re.get(), MPFR_RNDN);
        const ComplexExp moved = WideOf(t, BigFloat(0.0, 64));
        mpfr_sub(t.get(), c.im.get(), start.im.get(), MPFR_RNDN);
        const ComplexExp movedIm = WideOf(t, BigFloat(0.0, 64));
        if (far2 < moved.Norm() + movedIm.Norm()) return {};
        if (delta.Norm() < fine2) return c;
    }
    return {};
}

}  // namespace morvale
