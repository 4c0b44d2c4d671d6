#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RenderProgram.h"
#include "cli/RenderOptions.h"
#include "plane/DeepRegion.h"
#include "plane/RegionLimits.h"

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

// Heights and centres that are no drawable number: each named with its option and value, never
// taken by the prefix rule.
TEST(DeepRenderOptions, BadHeightsAndCentresAreRefusedByName) {
    const std::pair<const char*, const char*> heights[] = {
        {"0", "keine Höhe über 0"},
        {"-0", "keine Höhe über 0"},
        {"-1e-5", "keine Höhe über 0"},
        {"nan", "keine Zahl"},
        {"inf", "keine Zahl"},
        {"abc", "keine Zahl"},
        {"1e-20,5", "keine Zahl"},
        {" 1", "keine Zahl"},
        {"1e-400000000", "tiefer"},
        {"1e-315001", "tiefer"},
        {"1e-99999999999999999999", "tiefer"},
        {"1e400", "größer"},
    };
    for (const auto& [height, why] : heights) {
        const std::string error = Parse({"--centre", "0,0", "--height", height}).error;
        EXPECT_TRUE(error.starts_with("--height: „" + std::string(height) + "“")) << error;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
    EXPECT_NE(
        Parse({"--centre", "0,0", "--height", "1e-400000000"}).error.find(DeepestHeightText()),
        std::string::npos);
    for (const char* centre :
         {"abc,def", "1e400,0.5", "nan,0", "0,inf", "1,", "1,2,3", "0x1p3,0"}) {
        const std::string error = Parse({"--centre", centre, "--height", "1"}).error;
        EXPECT_TRUE(error.starts_with("--centre: „" + std::string(centre) + "“")) << error;
    }
    EXPECT_EQ(Parse({"--centre", "-1.5,0", "--height", DeepestHeightText()}).error, "");
    EXPECT_EQ(Parse({"--centre", "+.5,-3.E2", "--height", "2E-7"}).error, "");
}

using DeepProgram = testing::RenderProgram;

// Regions reached otherwise (texts, zooms) meet the same bounds before anything is drawn.
TEST_F(DeepProgram, RegionsBeyondTheBoundsEndWithAMessage) {
    const std::string out = " -o " + Out("r.png");
    const std::string runs[] = {
        "--centre 0,1e-10 --height 0 --kind julia",
        "--texts -2,2,-2,1e400,100",
        "--kind julia --texts -2,2,-2,2,nan,0,100",
        "--centre -1.5,0 --height 1e-314999 --screen 64x64 --zoom 0,0,1,1",
        "--window 300x200 --screen 200x200",
    };
    for (const std::string& args : runs) {
        const testing::Outcome run = Run("--quiet " + args + out);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.err.starts_with("morvale-render: ")) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Out("r.png")));
}

}  // namespace
}  // namespace morvale
