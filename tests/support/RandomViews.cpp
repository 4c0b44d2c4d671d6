#include "RandomViews.h"

#include <mpfr.h>

#include <cmath>
#include <complex>
#include <random>

namespace morvale {
namespace {

using Complex = std::complex<double>;

// A complex number at a chosen precision, owned for one computation.
struct BigComplex {
    explicit BigComplex(long bits) {
        mpfr_inits2(bits, re, im, t, u, static_cast<mpfr_ptr>(nullptr));
    }
    ~BigComplex() { mpfr_clears(re, im, t, u, static_cast<mpfr_ptr>(nullptr)); }
    BigComplex(const BigComplex&) = delete;
    BigComplex& operator=(const BigComplex&) = delete;
    void Set(Complex z) {
        mpfr_set_d(re, z.real(), MPFR_RNDN);
        mpfr_set_d(im, z.imag(), MPFR_RNDN);
    }
    Complex Rounded() const { return {mpfr_get_d(re, MPFR_RNDN), mpfr_get_d(im, MPFR_RNDN)}; }
    std::string Text(const mpfr_t v, int digits) const {
        std::string text(std::size_t(digits) + 32, '\0');
        text.resize(std::size_t(mpfr_snprintf(text.data(), text.size(), "%.*Re", digits - 1, v)));
        return text;
    }
    mpfr_t re, im, t, u;
};

long BitsFor(int digits) {
    return long(std::ceil(digits * 3.33)) + 128;
}

// z ← z² + c at full precision.
void Step(BigComplex& z, const BigComplex& c) {
    mpfr_sqr(z.t, z.re, MPFR_RNDN);
    mpfr_sqr(z.u, z.im, MPFR_RNDN);
    mpfr_mul(z.im, z.re, z.im, MPFR_RNDN);
    mpfr_mul_2ui(z.im, z.im, 1, MPFR_RNDN);
    mpfr_add(z.im, z.im, c.im, MPFR_RNDN);
    mpfr_sub(z.re, z.t, z.u, MPFR_RNDN);
    mpfr_add(z.re, z.re, c.re, MPFR_RNDN);
}

// A preperiodic parameter: Newton for z_{k+p}(c) = z_k(c), refined at full precision. The
// derivative in double is enough for Newton to converge once double has found the root.
bool Misiurewicz(std::mt19937_64& random, BigComplex& c) {
    std::uniform_real_distribution<double> angle(0.0, 2 * M_PI);
    std::uniform_int_distribution<int> preperiod(2, 5), period(1, 3);
    const int k = preperiod(random), p = period(random);
    const double t = angle(random);
    Complex guess = std::polar(0.5, t) - std::polar(0.25, 2 * t);  // on the main cardioid
    guess *= 1.1;
    mpfr_prec_t bits = mpfr_get_prec(c.re);
    c.Set(guess);
    BigComplex a(bits), b(bits);
    for (int step = 0; step < 200; ++step) {
        mpfr_set_zero(a.re, 1), mpfr_set_zero(a.im, 1);
        Complex da = 0, db = 0;
        for (int n = 0; n < k + p; ++n) {
            if (n == k) {
                mpfr_set(b.re, a.re, MPFR_RNDN), mpfr_set(b.im, a.im, MPFR_RNDN);
                db = da;
            }
            da = 2.0 * a.Rounded() * da + 1.0;
            Step(a, c);
        }
        const Complex f = a.Rounded() - b.Rounded();
        const Complex df = da - db;
        if (std::abs(df) == 0.0 || !std::isfinite(std::abs(f))) return false;
        mpfr_sub(a.t, a.re, b.re, MPFR_RNDN);
        mpfr_sub(a.u, a.im, b.im, MPFR_RNDN);
        const Complex exact{mpfr_get_d(a.t, MPFR_RNDN), mpfr_get_d(a.u, MPFR_RNDN)};
        const Complex delta = exact / df;
        mpfr_set_d(a.t, delta.real(), MPFR_RNDN);
        mpfr_sub(c.re, c.re, a.t, MPFR_RNDN);
        mpfr_set_d(a.t, delta.imag(), MPFR_RNDN);
        mpfr_sub(c.im, c.im, a.t, MPFR_RNDN);
        if (std::abs(delta) < std::ldexp(1.0, -int(bits) + 8)) break;
    }
    // A nucleus also solves the equation: its critical orbit comes back to 0.
    BigComplex z(64);
    mpfr_set_zero(z.re, 1), mpfr_set_zero(z.im, 1);
    for (int n = 1; n < k + p + 4; ++n) {
        Step(z, c);
        if (std::abs(z.Rounded()) < 1e-6 || std::abs(z.Rounded()) > 2.0) return false;
    }
    return true;
}

// steps backward from z: a point of c's Julia set after many (backward orbits are drawn to it
// from anywhere), a preimage of z after a few.
void Backward(std::mt19937_64& random, const BigComplex& c, BigComplex& z, int steps) {
    std::bernoulli_distribution sign;
    for (int n = 0; n < steps; ++n) {
        // z ← ±sqrt(z − c), from |w| and the half angle
        mpfr_sub(z.re, z.re, c.re, MPFR_RNDN);
        mpfr_sub(z.im, z.im, c.im, MPFR_RNDN);
        mpfr_hypot(z.t, z.re, z.im, MPFR_RNDN);
        mpfr_add(z.u, z.t, z.re, MPFR_RNDN);
        mpfr_div_2ui(z.u, z.u, 1, MPFR_RNDN);
        mpfr_sqrt(z.u, z.u, MPFR_RNDN);  // real part ≥ 0
        const bool negativeIm = mpfr_sgn(z.im) < 0;
        mpfr_sub(z.t, z.t, z.re, MPFR_RNDN);
        mpfr_div_2ui(z.t, z.t, 1, MPFR_RNDN);
        mpfr_sqrt(z.im, z.t, MPFR_RNDN);
        if (negativeIm) mpfr_neg(z.im, z.im, MPFR_RNDN);
        mpfr_set(z.re, z.u, MPFR_RNDN);
        if (sign(random)) {
            mpfr_neg(z.re, z.re, MPFR_RNDN);
            mpfr_neg(z.im, z.im, MPFR_RNDN);
        }
    }
}

// Constants for Julia sets of each kind of critical orbit.
Complex JuliaConstant(std::mt19937_64& random, int which, std::string& kind) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double t = 2 * M_PI * unit(random);
    if (which == 0) {  // escaping: just outside the main cardioid's far side
        kind = "Julia, escaping critical orbit";
        const Complex c =
            (std::polar(0.5, t) - std::polar(0.25, 2 * t)) * (1.08 + 0.3 * unit(random));
        return c;
    }
    kind = "Julia, attracting fixed point";  // multiplier mu inside the unit disc
    const Complex mu = std::polar(0.6 + 0.35 * unit(random), t);
    return mu / 2.0 - mu * mu / 4.0;
}

bool Escapes(Complex c) {
    Complex z = 0;
    for (int n = 0; n < 2000; ++n) {
        z = z * z + c;
        if (std::norm(z) > 100) return true;
    }
    return false;
}

}  // namespace

std::pair<std::string, std::string> JuliaSetPoint(const std::string& p, const std::string& q,
                                                  int digits, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    const long bits = BitsFor(digits);
    BigComplex c(bits), z(bits);
    mpfr_set_str(c.re, p.c_str(), 10, MPFR_RNDN);
    mpfr_set_str(c.im, q.c_str(), 10, MPFR_RNDN);
    z.Set({1.3, 0.4});
    Backward(random, c, z, int(bits) + 200);
    return {z.Text(z.re, digits), z.Text(z.im, digits)};
}

std::vector<RandomView> RandomViews(std::uint64_t seed, int count, int minDigits, int maxDigits) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> digitsOf(minDigits, maxDigits);
    std::vector<RandomView> views;
    while (int(views.size()) < count) {
        const double digits = digitsOf(random);
        const int shown = int(digits) + 30;
        const long bits = BitsFor(shown);
        char height[32];
        std::snprintf(height, sizeof height, "%.3ge%d",
                      std::pow(10.0, -(digits - std::floor(digits))), -int(std::floor(digits)));
        RandomView view;
        view.height = height;
        // Roughly: counts grow by a few per binary order of zoom.
        view.limit = 2000 + int(digits * 12);
        BigComplex c(bits), z(bits);
        const int which = int(views.size()) % 5;
        if (which == 0) {
            if (!Misiurewicz(random, c)) continue;
            view.kind = "Mandelbrot, preperiodic point";
            view.re = c.Text(c.re, shown), view.im = c.Text(c.im, shown);
            view.p = std::string(1, '0');
            view.q = view.p;
        } else {
            view.julia = true;
            if (which == 1 || which == 4) {
                if (!Misiurewicz(random, c)) continue;
                view.kind = "Julia, preperiodic critical orbit";
            } else {
                c.Set(JuliaConstant(random, which == 2 ? 0 : 1, view.kind));
                if ((which == 2) != Escapes(c.Rounded())) continue;
            }
            view.p = c.Text(c.re, 20), view.q = c.Text(c.im, 20);
            mpfr_set_str(c.re, view.p.c_str(), 10, MPFR_RNDN);
            mpfr_set_str(c.im, view.q.c_str(), 10, MPFR_RNDN);
            if (which == 4) {  // 0 or one of its first preimages
                view.kind += ", around a preimage of 0";
                z.Set(0);
                Backward(random, c, z, int(random() % 3));
            } else {
                z.Set({1.3, 0.4});
                Backward(random, c, z, int(bits) + 200);
            }
            view.re = z.Text(z.re, shown), view.im = z.Text(z.im, shown);
        }
        views.push_back(view);
    }
    return views;
}

}  // namespace morvale
