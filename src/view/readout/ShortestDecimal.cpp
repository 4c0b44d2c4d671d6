#include "view/readout/ShortestDecimal.h"

#include <charconv>
#include <cmath>

#include "platform/TextConversion.h"

namespace morvale {
namespace {

// Just under half a step: a text on the very border between two pixels could read back as
// either, once the reader's own rounding has its say.
constexpr double kReach = 0.5 * (1.0 - 1.0 / 1024.0);
constexpr int kDoubleDigits = 17;  // always enough to give the double back

std::string General(double value, int digits) {
    char text[40];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return std::string(text, result.ptr);
}

// Rounding to fewer digits only moves the text further away, so the fewest that reach can be
// searched for by halving.
template <class Reaches>
int FewestDigits(int most, Reaches reaches) {
    int low = 1, high = most;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (reaches(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

}  // namespace

std::string ShortestDecimal(double value, double step) {
    const double reach = std::fabs(step) * kReach;
    if (!std::isfinite(value) || !std::isfinite(reach) || reach == 0.0) return ExactText(value);
    const int digits = FewestDigits(
        kDoubleDigits, [&](int d) { return std::fabs(Atof(General(value, d)) - value) <= reach; });
    return digits == kDoubleDigits ? ExactText(value) : General(value, digits);
}

std::string ShortestDecimal(const BigFloat& value, const BigFloat& step) {
    // Enough digits to give the value itself back always reach.
    const int most = int(std::ceil(double(value.Bits()) * 0.30103)) + 2;
    if (!value.IsFinite() || !step.IsFinite() || step.IsZero()) return value.General(most);
    const long bits = value.Bits() + 64;
    BigFloat reach = Abs(step);
    mpfr_mul_d(reach.get(), reach.get(), kReach, MPFR_RNDN);
    const int digits = FewestDigits(most, [&](int d) {
        return !(reach < Abs(BigFloat::Parse(value.Format(d), bits) - value));
    });
    return value.General(digits);
}

}  // namespace morvale
