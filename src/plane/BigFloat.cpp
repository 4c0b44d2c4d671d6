#include "plane/BigFloat.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>

#include "platform/TextConversion.h"

namespace morvale {
namespace {

// Far beyond any exponent MPFR can hold, small enough to add digit counts to without overflow.
constexpr long long kExponentCap = 1'000'000'000'000LL;

long long ReadExponent(std::string_view text, std::size_t& i) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(kExponentCap, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

bool IsDigitOf(char c, int base) {
    const auto u = static_cast<unsigned char>(c);
    return base == 10 ? std::isdigit(u) != 0 : std::isxdigit(u) != 0;
}

// prefix: a numeric prefix as strtod accepted it, without white space and sign. Rewrites it as
// integer digits and an exponent, which MPFR reads the same in every locale.
std::string WithoutPoint(std::string_view prefix, int& base) {
    std::size_t i = 0;
    base = 10;
    if (prefix.size() > 1 && prefix[0] == '0' && (prefix[1] == 'x' || prefix[1] == 'X')) {
        base = 16;
        i = 2;
    }
    std::string digits;
    long long shift = 0;  // digits after the point
    bool point = false;
    for (; i < prefix.size(); ++i) {
        const char c = prefix[i];
        if (c == '.' && !point) {
            point = true;
        } else if (IsDigitOf(c, base)) {
            digits += c;
            shift += point ? 1 : 0;
        } else {
            break;
        }
    }
    long long exponent = 0;
    if (i < prefix.size()) exponent = ReadExponent(prefix, ++i);  // after "e" or "p"
    if (digits.empty()) digits.push_back('0');
    // Hexadecimal exponents count powers of two, four per digit.
    exponent -= base == 16 ? 4 * shift : shift;
    digits.push_back(base == 16 ? 'p' : 'e');
    digits.append(std::to_string(exponent));
    return digits;
}

}  // namespace

BigFloat::BigFloat(long bits) {
    mpfr_init2(v_, mpfr_prec_t(std::clamp<long>(bits, MPFR_PREC_MIN, MPFR_PREC_MAX)));
    mpfr_set_zero(v_, 1);
}

BigFloat::BigFloat(double value, long bits) : BigFloat(bits) {
    mpfr_set_d(v_, value, MPFR_RNDN);
}

BigFloat::BigFloat(const BigFloat& other) {
    mpfr_init2(v_, mpfr_get_prec(other.v_));
    mpfr_set(v_, other.v_, MPFR_RNDN);
}

BigFloat::BigFloat(BigFloat&& other) noexcept {
    mpfr_init2(v_, MPFR_PREC_MIN);
    mpfr_swap(v_, other.v_);
}

BigFloat& BigFloat::operator=(const BigFloat& other) {
    if (this != &other) {
        mpfr_set_prec(v_, mpfr_get_prec(other.v_));
        mpfr_set(v_, other.v_, MPFR_RNDN);
    }
    return *this;
}

BigFloat& BigFloat::operator=(BigFloat&& other) noexcept {
    mpfr_swap(v_, other.v_);
    return *this;
}

BigFloat::~BigFloat() {
    mpfr_clear(v_);
}

BigFloat BigFloat::Parse(std::string_view text, long bits) {
    BigFloat result(bits);
    std::size_t length = 0;
    const double rough = Atof(text, length);
    std::string_view prefix = text.substr(0, length);
    while (!prefix.empty() && std::isspace(static_cast<unsigned char>(prefix.front())))
        prefix.remove_prefix(1);
    bool negative = false;
    if (!prefix.empty() && (prefix.front() == '+' || prefix.front() == '-')) {
        negative = prefix.front() == '-';
        prefix.remove_prefix(1);
    }
    if (prefix.empty() ||
        !(std::isdigit(static_cast<unsigned char>(prefix.front())) || prefix.front() == '.')) {
        mpfr_set_d(result.v_, rough, MPFR_RNDN);  // none, "inf" or "nan"
        return result;
    }
    int base = 10;
    const std::string plain = WithoutPoint(prefix, base);
    mpfr_strtofr(result.v_, plain.c_str(), nullptr, base, MPFR_RNDN);
    if (negative) mpfr_neg(result.v_, result.v_, MPFR_RNDN);
    return result;
}

std::string BigFloat::General(int digits) const {
    std::string text = Format(digits);
    const std::size_t e = text.find('e');
    if (e == std::string::npos) return text;
    const long exponent = std::stol(text.substr(e + 1));
    if (exponent < -4 || exponent >= std::max(digits, 2)) return text;
    const bool negative = text.front() == '-';
    std::string significant = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    std::erase(significant, '.');
    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out.append("0.").append(std::size_t(-exponent - 1), '0').append(significant);
    } else {
        significant.resize(std::max(significant.size(), std::size_t(exponent + 1)), '0');
        out += significant.substr(0, std::size_t(exponent + 1));
        if (significant.size() > std::size_t(exponent + 1))
            out.append(".").append(significant, std::size_t(exponent + 1));
    }
    return out;
}

std::string BigFloat::Format(int digits) const {
    if (mpfr_nan_p(v_)) return "nan";
    if (mpfr_inf_p(v_)) return mpfr_signbit(v_) ? "-inf" : "inf";
    if (mpfr_zero_p(v_)) return mpfr_signbit(v_) ? "-0" : "0";
    mpfr_exp_t exponent = 0;
    char* raw =
        mpfr_get_str(nullptr, &exponent, 10, std::size_t(std::max(digits, 2)), v_, MPFR_RNDN);
    std::string mantissa(raw);
    mpfr_free_str(raw);
    const bool negative = mantissa.front() == '-';
    if (negative) mantissa.erase(0, 1);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    std::string out;
    if (negative) out.push_back('-');
    out.push_back(mantissa.front());
    if (mantissa.size() > 1) {
        out.push_back('.');
        out.append(mantissa, 1);
    }
    if (exponent != 1) {
        out.push_back('e');
        out.append(std::to_string(long(exponent) - 1));
    }
    return out;
}

void BigFloat::SetBits(long bits) {
    mpfr_prec_round(v_, mpfr_prec_t(std::clamp<long>(bits, MPFR_PREC_MIN, MPFR_PREC_MAX)),
                    MPFR_RNDN);
}

double BigFloat::Split(long& exponent) const {
    if (!mpfr_regular_p(v_)) {
        exponent = 0;
        return mpfr_get_d(v_, MPFR_RNDN);
    }
    return mpfr_get_d_2exp(&exponent, v_, MPFR_RNDN);
}

long BigFloat::Exponent() const {
    return mpfr_regular_p(v_) ? long(mpfr_get_exp(v_)) : LONG_MIN / 2;
}

namespace {

long WiderBits(const BigFloat& a, const BigFloat& b) {
    return std::max(a.Bits(), b.Bits());
}

}  // namespace

BigFloat operator+(const BigFloat& a, const BigFloat& b) {
    BigFloat r(WiderBits(a, b));
    mpfr_add(r.get(), a.get(), b.get(), MPFR_RNDN);
    return r;
}

BigFloat operator-(const BigFloat& a, const BigFloat& b) {
    BigFloat r(WiderBits(a, b));
    mpfr_sub(r.get(), a.get(), b.get(), MPFR_RNDN);
    return r;
}

BigFloat operator*(const BigFloat& a, const BigFloat& b) {
    BigFloat r(WiderBits(a, b));
    mpfr_mul(r.get(), a.get(), b.get(), MPFR_RNDN);
    return r;
}

BigFloat operator/(const BigFloat& a, const BigFloat& b) {
    BigFloat r(WiderBits(a, b));
    mpfr_div(r.get(), a.get(), b.get(), MPFR_RNDN);
    return r;
}

BigFloat operator*(const BigFloat& a, long b) {
    BigFloat r(a.Bits());
    mpfr_mul_si(r.get(), a.get(), b, MPFR_RNDN);
    return r;
}

BigFloat operator/(const BigFloat& a, long b) {
    BigFloat r(a.Bits());
    mpfr_div_si(r.get(), a.get(), b, MPFR_RNDN);
    return r;
}

BigFloat Abs(const BigFloat& a) {
    BigFloat r(a.Bits());
    mpfr_abs(r.get(), a.get(), MPFR_RNDN);
    return r;
}

bool operator<(const BigFloat& a, const BigFloat& b) {
    return mpfr_less_p(a.get(), b.get()) != 0;
}

bool operator==(const BigFloat& a, const BigFloat& b) {
    return mpfr_equal_p(a.get(), b.get()) != 0;
}

FloatExp RoundedExp(const BigFloat& value) {
    long e = 0;
    const double m = value.Split(e);
    return FloatExp::Normalised(m, e);
}

}  // namespace morvale
