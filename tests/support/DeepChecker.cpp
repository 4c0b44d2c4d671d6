#include "DeepChecker.h"

namespace morvale {

CheckedPixel CheckDeepPixel(const DeepRegion& region, int width, int height, int column,
                            int sampleRow, int limit) {
    const long sampleBits = region.WorkingBits(width, height);
    const long bits = sampleBits + 64;
    const DeepPoint p = region.Sample(width, height, column, sampleRow, sampleBits);
    BigFloat x(bits), y(bits), cr(bits), ci(bits), x2(bits), y2(bits), xy(bits), m(bits);
    if (region.Julia()) {
        mpfr_set(x.get(), p.re.get(), MPFR_RNDN);
        mpfr_set(y.get(), p.im.get(), MPFR_RNDN);
        mpfr_set(cr.get(), region.Value(4).get(), MPFR_RNDN);
        mpfr_set(ci.get(), region.Value(5).get(), MPFR_RNDN);
    } else {
        mpfr_set(cr.get(), p.re.get(), MPFR_RNDN);
        mpfr_set(ci.get(), p.im.get(), MPFR_RNDN);
    }
    for (std::int64_t k = 0; k < limit; ++k) {
        mpfr_sqr(x2.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(y2.get(), y.get(), MPFR_RNDN);
        mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
        mpfr_sub(x.get(), x2.get(), y2.get(), MPFR_RNDN);
        mpfr_add(x.get(), x.get(), cr.get(), MPFR_RNDN);
        mpfr_mul_2ui(y.get(), xy.get(), 1, MPFR_RNDN);
        mpfr_add(y.get(), y.get(), ci.get(), MPFR_RNDN);
        mpfr_sqr(x2.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(y2.get(), y.get(), MPFR_RNDN);
        mpfr_add(m.get(), x2.get(), y2.get(), MPFR_RNDN);
        const double modulus = m.ToDouble();
        if (!(modulus <= 100.0)) return {k, modulus};
    }
    return {limit, 0.0};
}

}  // namespace morvale
