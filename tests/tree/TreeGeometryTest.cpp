#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>

#include "view/tree/SineCosineCache.h"
#include "view/tree/TreeGeometry.h"
#include "view/tree/TreeRandom.h"

namespace morvale {
namespace {

TEST(TreeRandom, FixedStartGivesTheSameFifteenBitSequenceEveryTime) {
    TreeRandom random;
    const int expected[] = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086};
    for (int value : expected) EXPECT_EQ(random.Next(), value);

    TreeRandom other;
    std::set<int> seen;
    for (int i = 0; i < 100000; ++i) {
        const int value = other.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, TreeRandom::kMax);
        seen.insert(value);
    }
    EXPECT_GT(seen.size(), 30000u);  // covers the range, not a short cycle

    other.Restart();
    EXPECT_EQ(other.Next(), 16838);
}

TEST(TreeGeometry, StartAnglesUseTheShortPiAndDivideLast) {
    EXPECT_EQ(TreeStartAngle(0, 7), 0.0);
    EXPECT_EQ(TreeStartAngle(1, 4), 2.0 * 3.1415926535 / 4);
    EXPECT_EQ(TreeStartAngle(3, 7), 6.0 * 3.1415926535 / 7);
    EXPECT_NE(TreeStartAngle(1, 2), M_PI);  // not the precise pi
    // Huge arm indices neither overflow nor lose the factor two.
    EXPECT_DOUBLE_EQ(TreeStartAngle(INT_MAX, INT_MAX), 2.0 * 3.1415926535);
}

TEST(TreeGeometry, ThirtyOfEveryHundredResiduesTurnBack) {
    EXPECT_EQ(TreeTurnDirection(0, 100, 30), -1);
    EXPECT_EQ(TreeTurnDirection(29, 100, 30), -1);
    EXPECT_EQ(TreeTurnDirection(30, 100, 30), 1);
    EXPECT_EQ(TreeTurnDirection(99, 100, 30), 1);
    EXPECT_EQ(TreeTurnDirection(129, 100, 30), -1);
    EXPECT_EQ(TreeTurnDirection(32767, 100, 30), 1);
    int back = 0;
    for (int r = 0; r <= TreeRandom::kMax; ++r) back += TreeTurnDirection(r, 100, 30) < 0;
    EXPECT_NEAR(back / 32768.0, 0.3, 0.001);
    // A zero range would divide by zero; the number itself is compared instead.
    EXPECT_EQ(TreeTurnDirection(10, 0, 30), -1);
    EXPECT_EQ(TreeTurnDirection(40, 0, 30), 1);
}

TEST(TreeGeometry, StepsTruncateTowardsZeroAfterEveryCoordinate) {
    // sin(0.1) * 3 = 0.2995: lost on a positive x, ...
    EXPECT_EQ(TreeStep(0.1, 3.0, {320, 240}), (TreePoint{320, 242}));
    // ... while a step to the left still costs a pixel, and at negative x it is lost again.
    EXPECT_EQ(TreeStep(-0.1, 3.0, {320, 240}), (TreePoint{319, 242}));
    EXPECT_EQ(TreeStep(-0.1, 3.0, {0, 0}), (TreePoint{0, 2}));
    EXPECT_EQ(TreeStep(-0.1, 3.0, {-5, -5}), (TreePoint{-5, -2}));
    // Angle 0 points down, pi/2 right.
    EXPECT_EQ(TreeStep(0.0, 3.0, {10, 10}), (TreePoint{10, 13}));
    EXPECT_EQ(TreeStep(3.1415926535 / 2, 3.0, {10, 10}), (TreePoint{13, 10}));
    EXPECT_EQ(TreeStep(0.7, 0.0, {10, 10}), (TreePoint{10, 10}));
    EXPECT_EQ(TreeStep(0.0, -3.0, {10, 10}), (TreePoint{10, 7}));
}

TEST(TreeGeometry, TruncationSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(1e300), INT_MAX);
    EXPECT_EQ(TruncateToInt(-1e300), INT_MIN);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(TruncateToInt(std::nan("")), 0);
    EXPECT_EQ(TreeStep(0.0, 1e12, {0, 0}), (TreePoint{0, INT_MAX}));
}

TEST(TreeGeometry, NextLevelShrinksOrStops) {
    EXPECT_EQ(TreeNextLevel(60, 3), 20);
    EXPECT_EQ(TreeNextLevel(2, 3), 0);
    EXPECT_EQ(TreeNextLevel(7, 2), 3);
    EXPECT_EQ(TreeNextLevel(60, -1), -60);
    EXPECT_EQ(TreeNextLevel(60, -7), -8);  // towards zero
    // A count that would not shrink grows no level: divisor 1, 0, and counts at or below zero.
    EXPECT_EQ(TreeNextLevel(60, 1), std::nullopt);
    EXPECT_EQ(TreeNextLevel(60, 0), std::nullopt);
    EXPECT_EQ(TreeNextLevel(0, 3), std::nullopt);
    EXPECT_EQ(TreeNextLevel(-9, 3), std::nullopt);
    EXPECT_EQ(TreeNextLevel(-9, -1), std::nullopt);
    EXPECT_EQ(TreeNextLevel(INT_MIN, -1), std::nullopt);
    EXPECT_EQ(TreeNextLevel(INT_MAX, 2), INT_MAX / 2);
}

TEST(SineCosineCache, GivesExactlyWhatTheFunctionsGiveThroughRepeatsAndEvictions) {
    SineCosineCache cache;
    auto same = [&](double angle) {
        const SineCosineCache::Pair pair = cache.Get(angle);
        return std::bit_cast<std::uint64_t>(pair.sine) ==
                   std::bit_cast<std::uint64_t>(std::sin(angle)) &&
               std::bit_cast<std::uint64_t>(pair.cosine) ==
                   std::bit_cast<std::uint64_t>(std::cos(angle));
    };
    EXPECT_TRUE(same(0.0));  // the value every slot starts with
    EXPECT_TRUE(same(-0.0));
    // Far more angles than slots, visited twice, with neighbours one unit apart.
    for (int round = 0; round < 2; ++round) {
        double angle = 0.3;
        for (int i = 0; i < 20000; ++i) {
            ASSERT_TRUE(same(angle)) << angle;
            ASSERT_TRUE(same(std::nextafter(angle, 10.0))) << angle;
            angle += i % 3 == 0 ? -0.1 : 0.1;
        }
    }
    EXPECT_TRUE(std::isnan(cache.Get(std::nan("")).sine));
}

TEST(TreeColours, SeriesOneToSixAreFixedAndSevenGoesByCount) {
    const COLORREF fixed[] = {RGB(0, 128, 0), RGB(128, 0, 0), RGB(0, 0, 128),
                              RGB(0, 255, 0), RGB(255, 0, 0), RGB(0, 0, 255)};
    for (int series = 1; series <= 6; ++series) {
        EXPECT_EQ(TreeSegmentColour(series, 2), fixed[series - 1]);
        EXPECT_EQ(TreeSegmentColour(series, 60), fixed[series - 1]);
    }
    EXPECT_EQ(TreeSegmentColour(7, -5), RGB(255, 0, 0));
    EXPECT_EQ(TreeSegmentColour(7, 3), RGB(255, 0, 0));
    EXPECT_EQ(TreeSegmentColour(7, 4), RGB(0, 128, 0));
    EXPECT_EQ(TreeSegmentColour(7, 12), RGB(0, 128, 0));
    EXPECT_EQ(TreeSegmentColour(7, 13), RGB(0, 255, 0));
    EXPECT_EQ(TreeSegmentColour(7, 39), RGB(0, 255, 0));
    EXPECT_EQ(TreeSegmentColour(7, 40), RGB(255, 255, 0));
    EXPECT_EQ(TreeSegmentColour(0, 60), std::nullopt);
    EXPECT_EQ(TreeSegmentColour(8, 60), std::nullopt);
}

}  // namespace
}  // namespace morvale
