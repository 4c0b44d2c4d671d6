#include "render/deep/ReferenceOrbit.h"

#include <algorithm>
#include <new>

#include "render/escape/EscapeKernel.h"

namespace morvale {

ComplexExp WideOf(const BigFloat& re, const BigFloat& im) {
    long er = 0, ei = 0;
    const double mr = re.Split(er), mi = im.Split(ei);
    const long e = std::max(re.IsZero() ? ei : er, im.IsZero() ? er : ei);
    return ComplexExp::Normalised(floatexp_detail::Scale(mr, er - e),
                                  floatexp_detail::Scale(mi, ei - e), e);
}

bool ReferenceOrbit::Compute(const BigFloat& startRe, const BigFloat& startIm, const BigFloat& cRe,
                             const BigFloat& cIm, OrbitCap cap, long bits,
                             const std::atomic<bool>* stop, const OrbitProgress& progress) {
    const std::int64_t length = Length(cap);
    const std::int64_t interval = CheckInterval(bits);
    z_.clear();
    size_ = 0;
    wide_.clear();
    escaped_ = false;
    if (failNext_.exchange(false, std::memory_order_relaxed)) throw std::bad_alloc();
    // Reserved whole: growing by copies would hold up to three times the orbit at once. Pages
    // never reached are never touched.
    z_.reserve(std::size_t(length + kSpare));
    BigFloat x(bits), y(bits), x2(bits), y2(bits), xy(bits);
    mpfr_set(x.get(), startRe.get(), MPFR_RNDN);
    mpfr_set(y.get(), startIm.get(), MPFR_RNDN);
    for (std::int64_t n = 0; n < length && Bytes() + kBytesPerWideEntry <= cap.bytes; ++n) {
        const double re = x.ToDouble(), im = y.ToDouble();
        Add(re, im);
        if (Tiny(re, im)) wide_.push_back({n, WideOf(x, y)});
        if (n > 0 && !(re * re + im * im <= kEscapeBound)) {
            escaped_ = true;
            break;
        }
        if ((n + 1) % interval == 0) {
            if (progress) progress(n + 1);
            if (stop && stop->load(std::memory_order_relaxed)) {
                AddSpares();
                return false;
            }
        }
        mpfr_sqr(x2.get(), x.get(), MPFR_RNDN);
        mpfr_sqr(y2.get(), y.get(), MPFR_RNDN);
        mpfr_mul(xy.get(), x.get(), y.get(), MPFR_RNDN);
        mpfr_sub(x.get(), x2.get(), y2.get(), MPFR_RNDN);
        mpfr_add(x.get(), x.get(), cRe.get(), MPFR_RNDN);
        mpfr_mul_2ui(y.get(), xy.get(), 1, MPFR_RNDN);
        mpfr_add(y.get(), y.get(), cIm.get(), MPFR_RNDN);
    }
    AddSpares();
    return true;
}

}  // namespace morvale
