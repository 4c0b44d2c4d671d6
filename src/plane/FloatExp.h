// Numbers with a double mantissa and a wide binary exponent, for offsets far below what a double
// can square: |z|² of a double underflows once |z| < 1e-154, and every comparison of such moduli
// is then silently true. Mantissas stay normalised (largest part in [0.5, 1)), so products and
// squared moduli of mantissas never underflow.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace morvale {

namespace floatexp_detail {

inline constexpr std::int64_t kZeroExponent = INT64_MIN / 4;  // below every real exponent
// Above every real exponent: infinities and NaNs order above every finite value and stay
// escaped through sums and products.
inline constexpr std::int64_t kInfiniteExponent = INT64_MAX / 4;

// e with 2^(e-1) <= |a| < 2^e for a normal, non-zero double.
inline std::int64_t ExponentOf(double a) {
    return std::int64_t((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1022;
}

// 2^k for |k| < 1023, without a library call.
inline double PowerOfTwo(std::int64_t k) {
    return std::bit_cast<double>(std::uint64_t(k + 1023) << 52);
}

// a · 2^k for any k, flushing to 0 far below and to infinity far above.
inline double Scale(double a, std::int64_t k) {
    if (k > -1000 && k < 1000) return a * PowerOfTwo(k);
    return std::ldexp(a, int(std::clamp<std::int64_t>(k, -5000, 5000)));
}

}  // namespace floatexp_detail

// A real number m · 2^e.
struct FloatExp {
    double m = 0.0;
    std::int64_t e = floatexp_detail::kZeroExponent;

    // Exponents past the two marks flush to 0 or to infinity, as a double's do, so that the sum
    // of any two exponents stays far inside an int64: squaring again and again never wraps.
    static FloatExp Normalised(double m, std::int64_t e) {
        using namespace floatexp_detail;
        if (m == 0.0 || !std::isfinite(m)) return {m, m == 0.0 ? kZeroExponent : kInfiniteExponent};
        int k = 0;
        const double n = std::frexp(m, &k);
        e += k;
        if (e <= kZeroExponent) [[unlikely]]
            return {std::copysign(0.0, m), kZeroExponent};
        if (e >= kInfiniteExponent) [[unlikely]]
            return {std::copysign(HUGE_VAL, m), kInfiniteExponent};
        return {n, e};
    }
    static FloatExp From(double a) { return Normalised(a, 0); }
    double ToDouble() const { return floatexp_detail::Scale(m, e); }
};

inline FloatExp operator*(FloatExp a, FloatExp b) {
    return FloatExp::Normalised(a.m * b.m, a.e + b.e);
}

inline FloatExp operator/(FloatExp a, FloatExp b) {
    return FloatExp::Normalised(a.m / b.m, a.e - b.e);
}

inline FloatExp operator+(FloatExp a, FloatExp b) {
    if (a.e < b.e) std::swap(a, b);
    return FloatExp::Normalised(a.m + floatexp_detail::Scale(b.m, b.e - a.e), a.e);
}

inline FloatExp operator-(FloatExp a, FloatExp b) {
    return a + FloatExp{-b.m, b.e};
}

inline FloatExp Abs(FloatExp a) {
    return {std::fabs(a.m), a.e};
}

// Comparisons of values that are not negative.
inline bool operator<(FloatExp a, FloatExp b) {
    if (a.m == 0.0 || b.m == 0.0) return a.m < b.m;
    return a.e != b.e ? a.e < b.e : a.m < b.m;
}

// A complex number (re + i·im) · 2^e sharing one exponent: a part far smaller than the other
// is lost, as it is in a double complex product.
struct ComplexExp {
    double re = 0.0;
    double im = 0.0;
    std::int64_t e = floatexp_detail::kZeroExponent;

    static ComplexExp Normalised(double re, double im, std::int64_t e) {
        using namespace floatexp_detail;
        const double big = std::max(std::fabs(re), std::fabs(im));
        // One test keeps the common case fast; the scale factor below exists only inside it.
        if (!(big >= 0x1p-1000 && big < 0x1p1000)) [[unlikely]]
            return NormalisedOutside(re, im, e, big);
        const std::int64_t k = ExponentOf(big);
        const double s = PowerOfTwo(-k);
        return {re * s, im * s, e + k};
    }
    static ComplexExp From(double re, double im) { return Normalised(re, im, 0); }

    double Re() const { return floatexp_detail::Scale(re, e); }
    double Im() const { return floatexp_detail::Scale(im, e); }
    // |z|², exact to rounding at any exponent.
    FloatExp Norm() const { return FloatExp::Normalised(re * re + im * im, 2 * e); }
    // Whether |z| >= 2^k.
    bool AtLeast(std::int64_t k) const { return e > k; }

private:
    static ComplexExp NormalisedOutside(double re, double im, std::int64_t e, double big) {
        using namespace floatexp_detail;
        if (big == 0.0) return {0.0, 0.0, kZeroExponent};
        if (!(big < HUGE_VAL)) return {re, im, kInfiniteExponent};  // escaped, stays so
        if (big < 1.0) return Normalised(re * 0x1p1000, im * 0x1p1000, e - 1000);
        return Normalised(re * 0x1p-1000, im * 0x1p-1000, e + 1000);
    }
};

inline ComplexExp operator*(const ComplexExp& a, const ComplexExp& b) {
    return ComplexExp::Normalised(a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re, a.e + b.e);
}

inline ComplexExp operator+(ComplexExp a, ComplexExp b) {
    if (a.e < b.e) std::swap(a, b);
    const std::int64_t shift = b.e - a.e;
    if (shift < -1000) return a;
    const double s = floatexp_detail::PowerOfTwo(shift);
    return ComplexExp::Normalised(a.re + b.re * s, a.im + b.im * s, a.e);
}

inline ComplexExp Scaled(const ComplexExp& a, const FloatExp& f) {
    return ComplexExp::Normalised(a.re * f.m, a.im * f.m, a.e + f.e);
}

}  // namespace morvale
