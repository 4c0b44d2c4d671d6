#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "plane/BigFloat.h"
#include "plane/DeepRegion.h"
#include "plane/FloatExp.h"
#include "platform/TextConversion.h"

namespace morvale {
namespace {

// At a double's precision the full-precision reading is the C library's, prefix rule included,
// whatever the process locale says a decimal point is.
TEST(BigFloatText, ReadsTheSamePrefixAsAtof) {
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const char* texts[] = {"",           "abc",
                           "  \t-1.25",  "+3",
                           "1.5xyz",     "1e3",
                           "1e",         "1.e2",
                           ".5",         "-.5e-1",
                           "1,5",        "- 1",
                           "0x10",       "0x1.8p1",
                           "-0x.Ap-2zz", "1e400",
                           "-1e-400",    "inf",
                           "-Infinity",  "0.11301309",
                           "00012.5e+1", "1e99999999999999999999",
                           "7.e-5q"};
    for (const char* t : texts)
        EXPECT_EQ(BigFloat::Parse(t, 53).ToDouble(), Atof(t)) << '"' << t << '"';
    EXPECT_TRUE(BigFloat::Parse(" nan(1)", 53).IsNaN());
    std::mt19937 random(17);
    for (int i = 0; i < 2000; ++i) {
        std::string t = random() % 2 ? "-" : "";
        for (int d = int(random() % 25); d >= 0; --d) t += char('0' + random() % 10);
        t.append(".").append(std::to_string(random()));
        t.append("e").append(std::to_string(int(random() % 600) - 300));
        EXPECT_EQ(BigFloat::Parse(t, 53).ToDouble(), Atof(t)) << t;
    }
    if (previous) std::setlocale(LC_NUMERIC, "C");
}

TEST(BigFloatText, KeepsEveryDigitAndFormatsBack) {
    std::string digits = "-0.";
    for (int i = 0; i < 1000; ++i) digits += char('0' + (i * 7 + 3) % 10);
    const BigFloat long1 = BigFloat::Parse(digits + "1", 3400);
    const BigFloat long2 = BigFloat::Parse(digits + "2", 3400);
    EXPECT_TRUE(long2 < long1);  // they differ in the 1001st digit only
    EXPECT_EQ(BigFloat::Parse(long1.Format(1010), 3400), long1);
    EXPECT_EQ(BigFloat::Parse(long1.Format(1010), 3400).Format(1001), long1.Format(1001));
    EXPECT_EQ(BigFloat(-1.25e3, 53).Format(20), "-1.25e3");
    EXPECT_EQ(BigFloat(0.375, 53).Format(20), "3.75e-1");
    // As %g writes them.
    const std::pair<double, const char*> general[] = {{-125.0, "-125"},
                                                      {0.375, "0.375"},
                                                      {-0.00125, "-0.00125"},
                                                      {1.25e-5, "1.25e-5"},
                                                      {120.0, "120"},
                                                      {1234.0, "1.23e3"},
                                                      {0.0, "0"}};
    for (const auto& [value, text] : general) EXPECT_EQ(BigFloat(value, 53).General(3), text);
    EXPECT_EQ(BigFloat(3.0, 53).Format(20), "3");
}

// A region built from a centre and written out as texts reads back to the very same pixels.
TEST(DeepRegionText, TextsReadBackToTheSamePixels) {
    for (const char* height : {"1e-20", "3e-310", "1e-1000"}) {
        const DeepRegion region = DeepRegion::FromCentre(
            true, "-0.743643887037158704752191506114774", "0.131825904205311970493132056385139",
            height, "-0.8", "0.156", 40, 80, 50);
        std::array<std::string, 6> texts;
        for (int i = 0; i < 6; ++i) texts[std::size_t(i)] = region.Text(i, 40, 80);
        const DeepRegion back = DeepRegion::FromTexts(true, texts);
        const long bits = region.WorkingBits(40, 80);
        ASSERT_EQ(back.WorkingBits(40, 80), bits) << height;
        EXPECT_TRUE(back.NeedsDeep(40, 80));
        for (const auto& [column, row] : {std::pair{0, 50}, {39, 79}, {20, 65}}) {
            const DeepPoint a = region.Sample(40, 80, column, row, bits);
            const DeepPoint b = back.Sample(40, 80, column, row, bits);
            // Neighbouring pixels are told apart, and the texts miss by far less than a pixel.
            const DeepPoint next = region.Sample(40, 80, column + 1, row + 1, bits);
            EXPECT_TRUE(Abs(a.re - b.re) * 1000L < Abs(next.re - a.re)) << height;
            EXPECT_TRUE(Abs(a.im - b.im) * 1000L < Abs(next.im - a.im)) << height;
        }
    }
}

TEST(DeepRegionSwitch, TakesOverBelowFortyEightBitsPerMagnitude) {
    auto region = [](double width) {
        return DeepRegion::FromDoubles(false, {-1.0, -1.0 + width, 0.25, 0.25 + width, 0, 0});
    };
    // Steps of 2^-48 of the largest magnitude (1) are the border.
    EXPECT_FALSE(region(std::ldexp(100.0, -48)).NeedsDeep(100, 100));
    EXPECT_TRUE(region(std::ldexp(99.0, -48)).NeedsDeep(100, 100));
    EXPECT_TRUE(DeepRegion::FromTexts(false, {"-1", "-1.00000000000000000001", "0.25",
                                              "0.24999999999999999999", "0", "0"})
                    .NeedsDeep(100, 100));  // mirrored
    EXPECT_FALSE(region(0.0).NeedsDeep(100, 100));
    EXPECT_FALSE(DeepRegion::FromDoubles(false, {-1.0, -1.0 + 1e-20, 0.25, 0.25, 0, 0})
                     .NeedsDeep(100, 100));  // one step exactly 0
    // A far real part leaves the imaginary steps to double: each axis counts on its own.
    EXPECT_FALSE(
        DeepRegion::FromTexts(false, {"14748", "1e308", "30", "-20", "0", "0"}).NeedsDeep(4, 5));
}

TEST(FloatExp, SquaredModuliStayExactFarBelowADouble) {
    // In plain double both squares underflow to 0 and every comparison of them is false.
    const ComplexExp small = ComplexExp::From(3e-160, -4e-160);
    const ComplexExp larger = ComplexExp::From(3e-160, 5e-160);
    EXPECT_TRUE(small.Norm() < larger.Norm());
    EXPECT_FALSE(larger.Norm() < small.Norm());
    EXPECT_NEAR((larger.Norm() / small.Norm()).ToDouble(), 34.0 / 25.0, 1e-15);
    // Far below the double range: (a·b + a) / a = b + 1 at exponents near -3000.
    const ComplexExp a = ComplexExp::Normalised(0.75, 0.5, -3000);
    const ComplexExp b = ComplexExp::From(0.5, -2.0);
    const ComplexExp sum = a * b + a;
    const ComplexExp expected = a * ComplexExp::From(1.5, -2.0);
    EXPECT_EQ(sum.e, expected.e);
    EXPECT_NEAR(sum.re, expected.re, 1e-15);
    EXPECT_NEAR(sum.im, expected.im, 1e-15);
    const FloatExp r = FloatExp::Normalised(1.0, -5000);
    EXPECT_TRUE(Scaled(a, r).Norm() < a.Norm());
    EXPECT_EQ((r * r / r - r).m, 0.0);
    // Squared again and again, a value ends at 0 or at infinity like a double, never wrapping
    // round to a large or a small one.
    FloatExp tiny = r, huge = FloatExp::Normalised(1.0, 5000);
    for (int i = 0; i < 80; ++i) {
        tiny = tiny * tiny;
        huge = huge * huge;
    }
    EXPECT_EQ(tiny.ToDouble(), 0.0);
    EXPECT_EQ(huge.ToDouble(), HUGE_VAL);
}

TEST(FloatExp, ConvertsAndOrdersAtTheEdgesOfADouble) {
    const double inf = std::numeric_limits<double>::infinity();
    const double edges[] = {8e307,
                            1e308,
                            std::numeric_limits<double>::max(),
                            -1e308,
                            std::numeric_limits<double>::min(),
                            1e-310,
                            -4.9e-324,
                            inf};
    for (double v : edges) {
        EXPECT_EQ(FloatExp::From(v).ToDouble(), v) << v;
        const ComplexExp z = ComplexExp::From(v, v / 2);
        EXPECT_EQ(z.Re(), v) << v;
        EXPECT_EQ(z.Im(), v / 2) << v;
        EXPECT_EQ(ComplexExp::From(0.5, v).Im(), v) << v;
    }
    // Ascending, so every earlier value orders below every later one.
    const double ascending[] = {0.0, 4.9e-324, 1e-310, 1.0, 16.0, 8e307, 1e308, inf};
    for (double a : ascending) {
        for (double b : ascending) {
            EXPECT_EQ(FloatExp::From(a) < FloatExp::From(b), a < b) << a << " " << b;
        }
    }
    const FloatExp huge = FloatExp::From(inf);
    EXPECT_TRUE(FloatExp::From(16.0) < huge * FloatExp::From(0.5) + FloatExp::From(1e300));
    EXPECT_TRUE(ComplexExp::From(inf, 0.0).AtLeast(4000));
    EXPECT_EQ((ComplexExp::From(1e308, 1e308) * ComplexExp::From(1e308, 0.0)).Norm().ToDouble(),
              inf);
}

}  // namespace
}  // namespace morvale
