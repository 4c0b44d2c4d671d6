#include "keyframes/KeyframePlan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "doc/EscapeScene.h"
#include "plane/DeepRegion.h"
#include "presets/PresetTables.h"

namespace morvale {
namespace {

constexpr int kMaxFrames = 100000;  // beyond 2^100000 no view is left to zoom out of
constexpr const char* kPrefix = "frame-";
constexpr const char* kSuffix = ".png";
constexpr int kDigits = 5;
// A frame's height needs no more: its region texts carry the digits its pixels need.
constexpr int kHeightDigits = 20;

BigFloat Scaled(const BigFloat& value, long exponent) {
    BigFloat out(value);
    mpfr_mul_2si(out.get(), value.get(), exponent, MPFR_RNDN);
    return out;
}

// Digits that keep a value of this precision.
int DigitsOf(const BigFloat& value) {
    return int(double(value.Bits()) * 0.30103) + 3;
}

BigFloat ParseText(const std::string& text) {
    return BigFloat::Parse(text, std::max<long>(128, long(text.size() * 4)));
}

BigFloat ParseHeight(const std::string& text) {
    return Abs(ParseText(text));
}

}  // namespace

ZoomTarget TargetOfRegion(bool julia, const std::array<std::string, 6>& texts, PictureSize device,
                          PictureSize client) {
    const DeepRegion region = DeepRegion::FromTexts(julia, texts);
    const long bits = region.WorkingBits(device.width, device.height) + 64;
    const int columns = std::max(1, std::min(client.width, device.width));
    const int rows = std::max(1, std::min(client.height, device.height - kHiddenRows));
    const BigFloat stepX = region.StepX(device.width, bits);
    const BigFloat stepY = region.StepY(device.height, bits);
    BigFloat re = region.Value(0), im = region.Value(2);
    re.SetBits(bits);
    im.SetBits(bits);
    re = re + Scaled(stepX * long(columns), -1);
    im = im + stepY * long(kHiddenRows) + Scaled(stepY * long(rows), -1);
    const BigFloat height = Abs(stepY * long(rows));
    ZoomTarget target;
    target.julia = julia;
    target.centreRe = re.Format(DigitsOf(re));
    target.centreIm = im.Format(DigitsOf(im));
    target.height = height.Format(20);
    if (julia) {
        target.p = texts[4];
        target.q = texts[5];
    }
    return target;
}

std::string WholeSetHeight(bool julia) {
    const std::string_view yMin = julia ? JuliaPresets[0][2] : MandelPresets[0][2];
    const std::string_view yMax = julia ? JuliaPresets[0][3] : MandelPresets[0][3];
    const BigFloat height = ParseText(std::string(yMax)) - ParseText(std::string(yMin));
    return Abs(height).Format(20);
}

KeyframePlan::KeyframePlan(ZoomTarget target, PictureSize frame, const std::string& top)
    : target_(std::move(target)), frame_(frame), height_(ParseHeight(target_.height)) {
    const BigFloat limit = ParseHeight(top.empty() ? WholeSetHeight(target_.julia) : top);
    if (height_.IsZero() || !height_.IsFinite()) return;
    // At least one doubling, even from a view as tall as the top.
    count_ = 2;
    while (count_ < kMaxFrames && Scaled(height_, count_ - 1) < limit) ++count_;
}

PictureSize KeyframePlan::Device() const {
    return {frame_.width, frame_.height + kHiddenRows};
}

std::string KeyframePlan::HeightText(int k) const {
    const BigFloat h = Scaled(height_, k);
    return h.Format(kHeightDigits);
}

std::vector<std::string> KeyframePlan::RegionTexts(int k) const {
    const PictureSize device = Device();
    const DeepRegion region =
        DeepRegion::FromCentre(target_.julia, target_.centreRe, target_.centreIm, HeightText(k),
                               target_.p, target_.q, device.width, device.height, kHiddenRows);
    std::vector<std::string> texts;
    for (int i = 0; i < 4; ++i) texts.push_back(region.Text(i, device.width, device.height));
    if (target_.julia) texts.insert(texts.end(), {target_.p, target_.q});
    return texts;
}

std::string KeyframePlan::FileName(int k) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%0*d%s", kPrefix, kDigits, k, kSuffix);
    return name;
}

std::optional<int> KeyframePlan::IndexOfName(std::string_view name) {
    const std::string_view prefix = kPrefix, suffix = kSuffix;
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) return std::nullopt;
    const std::string_view digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    int k = -1;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), k);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || k < 0 ||
        int(digits.size()) < kDigits || FileName(k) != name)
        return std::nullopt;
    return k;
}

}  // namespace morvale
