#include "plane/RegionLimits.h"

#include <cctype>
#include <cfloat>

#include "platform/QuotedText.h"

namespace morvale {
namespace {

static_assert(kDeepestHeightExponent < -300000, "the precision cap reaches far below double");

constexpr long kCompareBits = 64;

bool Digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits from i on; how many.
std::size_t SkipDigits(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && Digit(text[i])) ++i;
    return i - start;
}

const BigFloat& DeepestHeight() {
    static const BigFloat deepest = BigFloat::Parse(DeepestHeightText(), kCompareBits);
    return deepest;
}

const BigFloat& LargestDouble() {
    static const BigFloat largest(DBL_MAX, kCompareBits);
    return largest;
}

bool WithinDouble(const BigFloat& value) {
    return value.IsFinite() && mpfr_cmpabs(value.get(), LargestDouble().get()) <= 0;
}

// A number MPFR read as 0 although its digits are not all zero: beyond its exponent range.
bool Underflowed(std::string_view text, const BigFloat& value) {
    if (!value.IsZero()) return false;
    const std::size_t exponent = text.find_first_of("eE");
    return text.substr(0, exponent).find_first_of("123456789") != std::string_view::npos;
}

std::string Deepest() {
    return "als Morvale zeichnen kann (Höhe mindestens " + DeepestHeightText() + ")";
}

}  // namespace

std::string DeepestHeightText() {
    return "1e" + std::to_string(kDeepestHeightExponent);
}

bool IsDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = SkipDigits(text, i);
    if (i < text.size() && text[i] == '.') digits += SkipDigits(text, ++i);
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (SkipDigits(text, i) == 0) return false;
    }
    return i == text.size();
}

std::string HeightProblem(std::string_view text) {
    const std::string quoted = QuotedText(text);
    if (!IsDecimalNumber(text)) return quoted + " ist keine Zahl";
    const BigFloat height = BigFloat::Parse(text, kCompareBits);
    const bool tiny = Underflowed(text, height);
    if (text.front() == '-' || (height.IsZero() && !tiny)) return quoted + " ist keine Höhe über 0";
    if (tiny || height < DeepestHeight()) return quoted + " ist tiefer, " + Deepest();
    if (!WithinDouble(height)) return quoted + " ist größer, als ein double fasst";
    return {};
}

std::string CoordinateProblem(std::string_view text) {
    const std::string quoted = QuotedText(text);
    if (!IsDecimalNumber(text)) return quoted + " ist keine Zahl";
    if (!WithinDouble(BigFloat::Parse(text, kCompareBits)))
        return quoted + " liegt weiter draußen, als ein double fasst (Beträge bis 1.8e308)";
    return {};
}

std::string RegionProblem(const DeepRegion& region) {
    const int values = region.Julia() ? 6 : 4;
    for (int i = 0; i < values; ++i)
        if (!WithinDouble(region.Value(i)))
            return i < 4 ? "der Bereich ist nicht endlich oder größer, als ein double fasst"
                         : "die Konstante ist nicht endlich oder größer, als ein double fasst";
    for (int axis = 0; axis < 2; ++axis) {
        const BigFloat extent = Abs(region.Value(2 * axis + 1) - region.Value(2 * axis));
        if (!extent.IsZero() && extent < DeepestHeight())
            return "der Bereich ist tiefer, " + Deepest();
    }
    return {};
}

}  // namespace morvale
