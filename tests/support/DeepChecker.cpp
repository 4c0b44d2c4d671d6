#include "DeepChecker.h"

#include <mpfr.h>

#include <algorithm>
#include <bit>

namespace morvale {
namespace {

constexpr int kMaxRounds = 3;

// An mpfr_t owned for the length of one count.
struct Real {
    explicit Real(long bits) { mpfr_init2(v, bits); }
    ~Real() { mpfr_clear(v); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;
    mpfr_t v;
};

// bound + index · (upper − bound) / pixels, at bits.
void SamplePoint(mpfr_t out, const BigFloat& bound, const BigFloat& upper, int pixels, long index) {
    mpfr_sub(out, upper.get(), bound.get(), MPFR_RNDN);
    mpfr_div_si(out, out, pixels, MPFR_RNDN);
    mpfr_mul_si(out, out, index, MPFR_RNDN);
    mpfr_add(out, out, bound.get(), MPFR_RNDN);
}

CheckedPixel Count(const CheckedView& view, int column, int sampleRow, long bits) {
    const DeepRegion& r = view.region;
    Real x(bits), y(bits), cr(bits), ci(bits), s(bits), d(bits), t(bits);
    SamplePoint(cr.v, r.Value(0), r.Value(1), view.width, column);
    SamplePoint(ci.v, r.Value(2), r.Value(3), view.height, sampleRow);
    if (r.Julia()) {
        mpfr_swap(x.v, cr.v);
        mpfr_swap(y.v, ci.v);
        mpfr_set_str(cr.v, view.p.c_str(), 10, MPFR_RNDN);
        mpfr_set_str(ci.v, view.q.c_str(), 10, MPFR_RNDN);
    } else {
        mpfr_set_zero(x.v, 1);
        mpfr_set_zero(y.v, 1);
    }
    for (std::int64_t k = 0; k < view.limit; ++k) {
        // (x + y)(x − y) + cr, 2xy + ci
        mpfr_add(s.v, x.v, y.v, MPFR_RNDN);
        mpfr_sub(d.v, x.v, y.v, MPFR_RNDN);
        mpfr_mul(t.v, x.v, y.v, MPFR_RNDN);
        mpfr_mul(x.v, s.v, d.v, MPFR_RNDN);
        mpfr_add(x.v, x.v, cr.v, MPFR_RNDN);
        mpfr_mul_2ui(y.v, t.v, 1, MPFR_RNDN);
        mpfr_add(y.v, y.v, ci.v, MPFR_RNDN);
        mpfr_sqr(s.v, x.v, MPFR_RNDN);
        mpfr_sqr(d.v, y.v, MPFR_RNDN);
        mpfr_add(t.v, s.v, d.v, MPFR_RNDN);
        if (mpfr_cmp_ui(t.v, 100) > 0) return {k, mpfr_get_d(t.v, MPFR_RNDN), bits};
    }
    return {view.limit, 0.0, bits};
}

}  // namespace

long CheckerBits(const CheckedView& view) {
    const DeepRegion& r = view.region;
    long top = 2, step = 0;
    for (int axis = 0; axis < 2; ++axis) {
        Real d(128);
        mpfr_sub(d.v, r.Value(2 * axis + 1).get(), r.Value(2 * axis).get(), MPFR_RNDN);
        mpfr_div_si(d.v, d.v, axis == 0 ? view.width : view.height, MPFR_RNDN);
        if (!mpfr_zero_p(d.v)) step = std::min(step, long(mpfr_get_exp(d.v)));
        for (int i = 0; i < 2; ++i)
            if (!r.Value(2 * axis + i).IsZero())
                top = std::max(top, r.Value(2 * axis + i).Exponent());
    }
    // The sample points keep every bit the bounds hold: a point on a repelling cycle leaves it
    // where the bounds' last bits put it.
    long held = 0;
    for (int i = 0; i < 4; ++i) held = std::max(held, r.Value(i).Bits());
    return std::max(top - step + 64 + 4 * long(std::bit_width(unsigned(std::max(view.limit, 1)))),
                    held + 64);
}

CheckedPixel CheckDeepPixel(const CheckedView& view, int column, int sampleRow) {
    long bits = CheckerBits(view);
    CheckedPixel low = Count(view, column, sampleRow, bits);
    for (int round = 0; round < kMaxRounds; ++round) {
        // Twice the bits: an orbit that passes near 0 squares its spread, and needs them.
        const CheckedPixel high = Count(view, column, sampleRow, 2 * bits);
        if (high.k == low.k) return low;
        bits *= 2;
        low = high;
    }
    low.settled = false;
    return low;
}

}  // namespace morvale
