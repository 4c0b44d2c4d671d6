// A binary floating-point number of chosen precision (MPFR underneath), owned like a value.
#pragma once

#include <mpfr.h>

#include <string>
#include <string_view>

#include "plane/FloatExp.h"

namespace morvale {

class BigFloat {
public:
    explicit BigFloat(long bits = 128);
    BigFloat(double value, long bits);
    BigFloat(const BigFloat& other);
    BigFloat(BigFloat&& other) noexcept;
    BigFloat& operator=(const BigFloat& other);  // takes the other's precision
    BigFloat& operator=(BigFloat&& other) noexcept;
    ~BigFloat();

    // The text's longest numeric prefix under the C library's atof rule in the classic locale
    // (leading white space, sign, decimal with "." and exponent, hexadecimal, "inf", "nan"),
    // rounded to bits; 0 when there is none. Decimal texts keep every digit up to that precision.
    static BigFloat Parse(std::string_view text, long bits);

    // Decimal scientific text with the given significant digits that parses back to this value
    // when digits suffice ("-1.25e-3"; "inf", "-inf", "nan").
    std::string Format(int digits) const;
    // The same digits written as printf's %g writes them: plainly for decimal exponents from -4
    // to digits - 1 ("-0.00125", "1250"), else as Format does.
    std::string General(int digits) const;

    long Bits() const { return long(mpfr_get_prec(v_)); }
    // Rounds to a new precision.
    void SetBits(long bits);
    double ToDouble() const { return mpfr_get_d(v_, MPFR_RNDN); }
    // value = mantissa · 2^exponent with 0.5 <= |mantissa| < 1 (0 and non-finite: exponent 0).
    double Split(long& exponent) const;
    bool IsZero() const { return mpfr_zero_p(v_) != 0; }
    bool IsFinite() const { return mpfr_number_p(v_) != 0; }
    bool IsNaN() const { return mpfr_nan_p(v_) != 0; }
    // Binary exponent e with 2^(e-1) <= |value| < 2^e; a very small number for 0.
    long Exponent() const;

    mpfr_ptr get() { return v_; }
    mpfr_srcptr get() const { return v_; }

private:
    mpfr_t v_;
};

BigFloat operator+(const BigFloat& a, const BigFloat& b);
BigFloat operator-(const BigFloat& a, const BigFloat& b);
BigFloat operator*(const BigFloat& a, const BigFloat& b);
BigFloat operator/(const BigFloat& a, const BigFloat& b);
BigFloat operator*(const BigFloat& a, long b);
BigFloat operator/(const BigFloat& a, long b);
BigFloat Abs(const BigFloat& a);
bool operator<(const BigFloat& a, const BigFloat& b);
bool operator==(const BigFloat& a, const BigFloat& b);

// The value rounded to a double mantissa, with its whole exponent.
FloatExp RoundedExp(const BigFloat& value);

}  // namespace morvale
