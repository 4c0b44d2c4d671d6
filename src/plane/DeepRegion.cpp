#include "plane/DeepRegion.h"

#include <algorithm>
#include <cmath>

#include "platform/TextConversion.h"

namespace morvale {
namespace {

constexpr long kMinBits = 64 + 53;
constexpr long kMaxTextBits = DeepRegion::kMaxBits;

// Enough bits for every digit a text may carry.
long BitsForText(const std::string& text) {
    return std::clamp<long>(long(std::ceil(double(text.size()) * 3.33)) + 64, kMinBits,
                            kMaxTextBits);
}

BigFloat Step(const BigFloat& lo, const BigFloat& hi, int pixels, long bits) {
    BigFloat d(bits), s(bits);
    mpfr_sub(d.get(), hi.get(), lo.get(), MPFR_RNDN);
    mpfr_div_si(s.get(), d.get(), pixels, MPFR_RNDN);
    return s;
}

long MaxExponent(const std::array<BigFloat, 6>& v) {
    long e = LONG_MIN / 2;
    for (int i = 0; i < 4; ++i) e = std::max(e, v[std::size_t(i)].Exponent());
    return e;
}

// Whether a double misses steps of this size between coordinates as large as lo and hi.
bool Unresolved(const BigFloat& step, const BigFloat& lo, const BigFloat& hi) {
    const BigFloat top = Abs(lo) < Abs(hi) ? Abs(hi) : Abs(lo);
    BigFloat bound(step.Bits());
    mpfr_mul_2si(bound.get(), top.get(), -DeepRegion::kThresholdBits, MPFR_RNDN);
    return Abs(step) < bound;
}

}  // namespace

DeepRegion DeepRegion::FromTexts(bool julia, const std::array<std::string, 6>& texts) {
    DeepRegion r;
    r.julia_ = julia;
    for (std::size_t i = 0; i < 6; ++i) r.v_[i] = BigFloat::Parse(texts[i], BitsForText(texts[i]));
    for (std::size_t i = 0; julia && i < 2; ++i) {
        std::size_t length = 0;
        Atof(texts[4 + i], length);
        std::string prefix = texts[4 + i].substr(0, length);
        prefix.erase(0, prefix.find_first_not_of(" \t\n\v\f\r"));
        // Only a decimal fraction can hold more than the bits it was read at.
        if (r.v_[4 + i].IsFinite() && prefix.find_first_of("xX") == std::string::npos)
            r.constantTexts_[i] = std::move(prefix);
    }
    return r;
}

DeepRegion DeepRegion::FromCentre(bool julia, const std::string& centreRe,
                                  const std::string& centreIm, const std::string& planeHeight,
                                  const std::string& p, const std::string& q, int width, int height,
                                  int hiddenRows) {
    DeepRegion r = FromTexts(julia, {centreRe, centreIm, planeHeight, "0", p, q});
    const BigFloat h = Abs(r.v_[2]);
    const int visible = std::max(1, height - hiddenRows);
    // Room for the pixel step below the height: the centre's digits beyond it lie far inside
    // one pixel.
    const long top = std::max({r.v_[0].Exponent(), r.v_[1].Exponent(), 2L});
    const long bits =
        std::clamp(top + std::max(0L, -h.Exponent()) + kMarginBits + 32, kMinBits, kMaxTextBits);
    const BigFloat step = h / long(visible);
    BigFloat halfWidth = step * long(width);
    mpfr_div_2ui(halfWidth.get(), halfWidth.get(), 1, MPFR_RNDN);
    BigFloat halfHeight = h;
    mpfr_div_2ui(halfHeight.get(), halfHeight.get(), 1, MPFR_RNDN);
    BigFloat x(r.v_[0]), y(r.v_[1]);
    x.SetBits(bits);
    y.SetBits(bits);
    r.v_[0] = x - halfWidth;
    r.v_[1] = x + halfWidth;
    r.v_[3] = y + halfHeight;
    r.v_[2] = y - halfHeight - step * long(hiddenRows);
    return r;
}

DeepRegion DeepRegion::FromDoubles(bool julia, const std::array<double, 6>& values) {
    DeepRegion r;
    r.julia_ = julia;
    for (std::size_t i = 0; i < 6; ++i) r.v_[i] = BigFloat(values[i], 64);
    return r;
}

long DeepRegion::BoundBits() const {
    long bits = 0;
    for (int i = 0; i < 4; ++i) bits = std::max(bits, v_[std::size_t(i)].Bits());
    return bits;
}

long DeepRegion::SampleBits(int width, int height) const {
    return std::clamp(BoundBits() + kMarginBits, WorkingBits(width, height), kMaxTextBits);
}

long DeepRegion::WorkingBits(int width, int height) const {
    if (width <= 0 || height <= 0) return kMinBits;
    const long coarse = kMinBits + 64;
    const long sx = Step(v_[0], v_[1], width, coarse).Exponent();
    const long sy = Step(v_[2], v_[3], height, coarse).Exponent();
    const long step = std::min(sx, sy);
    // Orbits pass through magnitudes near 2 wherever the region lies.
    const long top = std::max(MaxExponent(v_), 2L);
    if (step < -(1L << 40)) return kMinBits;  // a zero step
    return std::clamp<long>(top - step + kMarginBits, kMinBits, kMaxTextBits);
}

bool DeepRegion::NeedsDeep(int width, int height) const {
    if (width <= 0 || height <= 0) return false;
    for (int i = 0; i < 4; ++i)
        if (!v_[std::size_t(i)].IsFinite()) return false;
    if (julia_ && (!v_[4].IsFinite() || !v_[5].IsFinite())) return false;
    const long bits = kMinBits + 64;
    const BigFloat sx = Step(v_[0], v_[1], width, bits), sy = Step(v_[2], v_[3], height, bits);
    if (sx.IsZero() || sy.IsZero()) return false;
    // Each axis against its own coordinates: a huge real part does not make the imaginary
    // steps unresolvable, and the offsets from a far centre would cancel to noise.
    return Unresolved(sx, v_[0], v_[1]) || Unresolved(sy, v_[2], v_[3]);
}

BigFloat DeepRegion::StepX(int width, long bits) const {
    return Step(v_[0], v_[1], std::max(width, 1), bits);
}

BigFloat DeepRegion::StepY(int height, long bits) const {
    return Step(v_[2], v_[3], std::max(height, 1), bits);
}

FloatExp DeepRegion::PixelStep(int width, int height) const {
    const FloatExp x = Abs(RoundedExp(StepX(width, 64)));
    const FloatExp y = Abs(RoundedExp(StepY(height, 64)));
    return y < x ? y : x;
}

DeepRegion DeepRegion::Zoomed(double startX, double endX, double startY, double endY,
                              const BigFloat& stepX, const BigFloat& stepY, long bits) const {
    DeepRegion r = *this;
    auto bound = [bits](double corner, const BigFloat& step, const BigFloat& min) {
        BigFloat v(bits);
        mpfr_mul_d(v.get(), step.get(), corner, MPFR_RNDN);
        mpfr_add(v.get(), v.get(), min.get(), MPFR_RNDN);
        return v;
    };
    r.v_[0] = bound(startX, stepX, v_[0]);
    r.v_[1] = bound(endX, stepX, v_[0]);
    r.v_[2] = bound(startY, stepY, v_[2]);
    r.v_[3] = bound(endY, stepY, v_[2]);
    return r;
}

DeepPoint DeepRegion::Sample(int width, int height, long column, long row, long bits) const {
    const BigFloat sx = Step(v_[0], v_[1], width, bits), sy = Step(v_[2], v_[3], height, bits);
    DeepPoint p{BigFloat(bits), BigFloat(bits)};
    BigFloat t(bits);
    mpfr_mul_si(t.get(), sx.get(), column, MPFR_RNDN);
    mpfr_add(p.re.get(), v_[0].get(), t.get(), MPFR_RNDN);
    mpfr_mul_si(t.get(), sy.get(), row, MPFR_RNDN);
    mpfr_add(p.im.get(), v_[2].get(), t.get(), MPFR_RNDN);
    return p;
}

BigFloat DeepRegion::Constant(int i, long bits) const {
    const std::string& text = constantTexts_[std::size_t(i - 4)];
    BigFloat value = v_[std::size_t(i)];
    if (!text.empty() && bits > value.Bits()) return BigFloat::Parse(text, bits);
    value.SetBits(std::max(bits, value.Bits()));
    return value;
}

int DeepRegion::PixelDigits(int width, int height) const {
    return int(std::ceil(double(WorkingBits(width, height) - kMarginBits) * 0.30103)) + 2;
}

std::string DeepRegion::Text(int i, int width, int height) const {
    if (i >= 4 && !constantTexts_[std::size_t(i - 4)].empty())
        return constantTexts_[std::size_t(i - 4)];
    const long bits = WorkingBits(width, height);
    const int digits = int(std::ceil(double(bits) * 0.30103)) + 2;
    return v_[std::size_t(i)].Format(digits);
}

}  // namespace morvale
