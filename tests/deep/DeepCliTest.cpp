#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RenderProgram.h"
#include "cli/RenderOptions.h"
#include "view/deep/DeepRegion.h"

namespace morvale {
namespace {

constexpr auto Parse = &testing::ParseWithOutput;

TEST(DeepRenderOptions, CentreAndHeightGoTogether) {
    EXPECT_EQ(Parse({"--centre", "0,1"}).error, "--centre und --height gehören zusammen");
    EXPECT_EQ(Parse({"--height", "1e-30"}).error, "--centre und --height gehören zusammen");
    EXPECT_NE(Parse({"--centre", "0", "--height", "1e-30"}).error, "");
    EXPECT_FALSE(Parse({"--no-deep-zoom"}).options.deepZoom);
}

// The texts built from a centre and a height put the centre in the middle of the visible rows,
// span the height over them and keep the preset's depth.
TEST(DeepRenderOptions, CentreAndHeightBecomeFullPrecisionTexts) {
    const ParsedOptions parsed = Parse({"--centre", "-1.25,0.000000000000000000000000000000000123",
                                        "--height", "1e-40", "--screen", "400x250"});
    ASSERT_EQ(parsed.error, "");
    const std::vector<std::string> texts = ChosenTexts(parsed.options);
    ASSERT_EQ(texts.size(), 5u);
    const DeepRegion region =
        DeepRegion::FromTexts(false, {texts[0], texts[1], texts[2], texts[3], "0", "0"});
    ASSERT_TRUE(region.NeedsDeep(400, 250));
    const long bits = region.WorkingBits(400, 250);
    const DeepPoint middle = region.Sample(400, 250, 200, 50 + 100, bits);
    const DeepPoint top = region.Sample(400, 250, 200, 50, bits);
    const DeepPoint bottom = region.Sample(400, 250, 200, 250, bits);
    EXPECT_LT(std::abs((middle.re - BigFloat::Parse("-1.25", bits)).ToDouble()), 1e-50);
    EXPECT_LT(std::abs((middle.im - BigFloat::Parse("1.23e-34", bits)).ToDouble()), 1e-50);
    EXPECT_NEAR((bottom.im - top.im).ToDouble(), 1e-40, 1e-50);
    EXPECT_EQ(texts[4], ChosenTexts(Parse({"--preset", "0"}).options)[4]);
}

}  // namespace
}  // namespace morvale
