// Full-precision texts and zoom arithmetic: any four region texts read without a fault, agree
// with the double reading where a double holds them, format back to the same values, and a zoom
// by any corners and device size stays finite where the region was. A centre and height that
// pass their checks build a region the bounds accept, on any device at least as wide as high.
#include <cmath>
#include <cstdlib>

#include "FuzzInput.h"
#include "plane/DeepRegion.h"
#include "plane/RegionLimits.h"
#include "platform/TextConversion.h"

namespace {

void CheckCentreAndHeight(const std::array<std::string, 6>& texts, int width, int height) {
    if (!morvale::CoordinateProblem(texts[0]).empty() ||
        !morvale::CoordinateProblem(texts[1]).empty() || !morvale::HeightProblem(texts[2]).empty())
        return;
    const int hidden = std::min(50, height);
    const morvale::DeepRegion region = morvale::DeepRegion::FromCentre(
        false, texts[0], texts[1], texts[2], "0", "0", width, height, hidden);
    for (int i = 0; i < 4; ++i)
        if (!region.Value(i).IsFinite()) std::abort();
    if (width >= height - hidden && height > hidden && region.Value(1).Exponent() < 1000 &&
        region.Value(0).Exponent() < 1000 && !morvale::RegionProblem(region).empty())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morvale::fuzz::FuzzInput in(data, size);
    std::array<std::string, 6> texts;
    for (std::string& t : texts) t = in.TakeText();
    const int width = in.TakeInt(0, 4000), height = in.TakeInt(0, 4000);
    CheckCentreAndHeight(texts, width, height);
    const morvale::DeepRegion region = morvale::DeepRegion::FromTexts(true, texts);
    for (int i = 0; i < 6; ++i) {
        const morvale::BigFloat& v = region.Value(i);
        const double expected = morvale::Atof(texts[std::size_t(i)]);
        // A double's reading is the full reading rounded, unless it is subnormal (rounded twice).
        if (std::isnormal(expected) &&
            morvale::BigFloat::Parse(texts[std::size_t(i)], 53).ToDouble() != expected)
            std::abort();
        if (v.IsFinite() &&
            !(morvale::BigFloat::Parse(v.Format(int(v.Bits() * 0.302) + 3), v.Bits()) == v))
            std::abort();
    }
    if (!region.NeedsDeep(width, height)) return 0;
    const long bits = region.WorkingBits(width, height);
    const morvale::DeepRegion zoomed = region.Zoomed(
        in.TakeInt(-5000, 5000), in.TakeInt(-5000, 5000), in.TakeInt(-5000, 5000),
        in.TakeInt(-5000, 5000), region.StepX(width, bits), region.StepY(height, bits), bits + 64);
    for (int i = 0; i < 4; ++i)
        if (!zoomed.Value(i).IsFinite()) std::abort();
    const morvale::DeepPoint p = zoomed.Sample(width, height, width / 2, height / 2, bits);
    if (!p.re.IsFinite() || !p.im.IsFinite()) std::abort();
    return 0;
}
