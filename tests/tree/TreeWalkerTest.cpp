#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TreeRecorder.h"
#include "view/tree/TreeOutcome.h"

namespace morvale {
namespace {

using testing::RecordTree;
using testing::TreeRecorder;

TreeParams WithShape(int branches, int redux) {
    TreeParams params;
    params.branches = branches;
    params.redux = redux;
    return params;
}

// Worked out by hand: the levels' segment counts are s, s/redux, ... for as long as a level's
// count exceeds 1 and the next is smaller; level k has branches^k nodes of `branches` arms.
struct Shape {
    int branches, segments, redux;
    long long nodes, drawn;
};
constexpr Shape kShapes[] = {
    {7, 60, 3, 2801, 8260},     // 60 20 6 2 0: 1+7+49+343+2401 nodes, 7*60+49*20+343*6+2401*2
    {5, 70, 2, 19531, 130225},  // 70 35 17 8 4 2 1
    {3, 100, 4, 40, 768},       // 100 25 6 1
    {1, 60, 3, 5, 88},          // 60 20 6 2 0
    {4, 61, -2, 5, 244},        // 61, then -30 arms of no segment
    {2, 1000, 2, 1023, 18240},  // 1000 500 250 125 62 31 15 7 3 1
    {6, 40, 5, 43, 744},        // 40 8 1
};

TEST(TreeWalker, NodeAndSegmentCountsOfWorkedOutShapes) {
    for (const Shape& c : kShapes) {
        const TreeRecorder tree = RecordTree(WithShape(c.branches, c.redux), c.segments);
        EXPECT_EQ(tree.nodes, c.nodes) << c.branches << "/" << c.segments << "/" << c.redux;
        EXPECT_EQ(tree.segments, c.drawn) << c.branches << "/" << c.segments << "/" << c.redux;
        // The prediction a stopped tree relies on: count, generator advance and last pen.
        const TreeOutcome predicted = PredictTree(WithShape(c.branches, c.redux), c.segments);
        EXPECT_EQ(predicted.segments, double(c.drawn));
        EXPECT_EQ(predicted.draws, std::uint32_t(c.drawn));
        TreeRecorder colours = tree;
        while (!colours.arms.empty() && colours.arms.back().colours.empty())
            colours.arms.pop_back();
        ASSERT_TRUE(predicted.pen.has_value());
        EXPECT_EQ(*predicted.pen, colours.arms.back().colours.back());
    }
}

TEST(TreeWalker, GeneratorSkipsAsManyStepsAsItDraws) {
    for (std::uint32_t count : {0u, 1u, 2u, 8260u, 130225u, 4000037u}) {
        TreeRandom stepped, skipped;
        for (std::uint32_t i = 0; i < count; ++i) stepped.Next();
        skipped.Skip(count);
        EXPECT_EQ(skipped.Next(), stepped.Next()) << count;
    }
}

TEST(TreeWalker, FirstSegmentsFollowTheFixedRandomSequence) {
    // Random numbers 16838, 5758, 10113, 17515, 31051, 5627: turns + + - - + -.
    const TreeRecorder tree = RecordTree(TreeParams{}, 60);
    const auto& first = tree.arms.front();
    EXPECT_EQ(first.start, (TreePoint{320, 240}));
    const TreePoint expected[] = {{320, 242}, {320, 244}, {320, 246},
                                  {320, 249}, {320, 251}, {320, 254}};
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(first.ends[i], expected[i]);
    ASSERT_EQ(first.ends.size(), 60u);
    EXPECT_EQ(first.ends.back(), (TreePoint{397, 256}));

    // Depth first: the sub-tree at the arm's end comes next, again starting straight down.
    const auto& sub = tree.arms[1];
    EXPECT_EQ(sub.start, (TreePoint{397, 256}));
    ASSERT_EQ(sub.ends.size(), 20u);
    EXPECT_EQ(sub.ends[0], (TreePoint{397, 258}));
    EXPECT_EQ(sub.ends[1], (TreePoint{397, 260}));
    EXPECT_EQ(sub.ends[2], (TreePoint{397, 262}));
}

TEST(TreeWalker, NegativeLengthRunsTheOtherWayAndZeroStaysPut) {
    TreeParams params;
    params.segmentLength = -3.0;
    const TreeRecorder back = RecordTree(params, 60);
    const TreePoint expected[] = {{319, 237}, {318, 234}, {317, 231}, {317, 228}};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(back.arms.front().ends[i], expected[i]);
    EXPECT_EQ(back.segments, 8260);

    params.segmentLength = 0.0;
    const TreeRecorder still = RecordTree(params, 60);
    EXPECT_EQ(still.segments, 8260);
    for (const auto& arm : still.arms)
        for (TreePoint end : arm.ends) ASSERT_EQ(end, (TreePoint{320, 240}));
}

TEST(TreeWalker, SingleBranchGoesDownFromEachArmsEnd) {
    const TreeRecorder tree = RecordTree(WithShape(1, 3), 60);
    // Levels 60, 20, 6, 2 and an empty one.
    ASSERT_EQ(tree.arms.size(), 5u);
    EXPECT_EQ(tree.nodes, 5);
    const std::size_t lengths[] = {60, 20, 6, 2, 0};
    for (std::size_t level = 0; level < 5; ++level) {
        const auto& arm = tree.arms[level];
        EXPECT_EQ(arm.ends.size(), lengths[level]);
        if (level > 0) {
            EXPECT_EQ(arm.start, tree.arms[level - 1].ends.back());
        }
        // The first step of every level turns by at most 0.1 from straight down.
        if (!arm.ends.empty()) {
            EXPECT_EQ(arm.ends[0].y - arm.start.y, 2);
            EXPECT_LE(std::abs(arm.ends[0].x - arm.start.x), 1);
        }
    }
}

TEST(TreeWalker, NoBranchesOrNoSegmentsDrawNothingButStillFinishTheNode) {
    for (int branches : {0, -1, -7}) {
        const TreeRecorder tree = RecordTree(WithShape(branches, 3), 60);
        EXPECT_EQ(tree.segments, 0);
        EXPECT_EQ(tree.nodes, 1);
    }
    for (int segments : {0, -1, -60}) {
        const TreeRecorder tree = RecordTree(TreeParams{}, segments);
        EXPECT_EQ(tree.segments, 0);
        EXPECT_EQ(tree.nodes, 1);  // no sub-trees
        EXPECT_EQ(tree.arms.size(), 7u);
    }
}

TEST(TreeWalker, ColourOffKeepsThePenBlack) {
    TreeParams params;
    params.colour = false;
    const TreeRecorder tree = RecordTree(params, 60, {320, 240}, RGB(0, 0, 0));
    for (const auto& arm : tree.arms)
        for (COLORREF c : arm.colours) ASSERT_EQ(c, RGB(0, 0, 0));
}

TEST(TreeWalker, SeriesSevenColoursEachLevel) {
    const TreeRecorder tree = RecordTree(TreeParams{}, 60);
    int checked = 0;
    for (const auto& arm : tree.arms) {
        COLORREF expected = 0;
        switch (arm.ends.size()) {
            case 60:
                expected = RGB(255, 255, 0);
                break;
            case 20:
                expected = RGB(0, 255, 0);
                break;
            case 6:
                expected = RGB(0, 128, 0);
                break;
            case 2:
                expected = RGB(255, 0, 0);
                break;
            default:
                ASSERT_TRUE(arm.ends.empty());
        }
        for (COLORREF c : arm.colours) {
            ASSERT_EQ(c, expected);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8260);
}

TEST(TreeWalker, SingleColourSeriesAndUnknownSeriesKeepingThePen) {
    TreeParams params;
    params.colourSeries = 3;
    for (const auto& arm : RecordTree(params, 60).arms)
        for (COLORREF c : arm.colours) ASSERT_EQ(c, RGB(0, 0, 128));
    params.colourSeries = 9;
    for (const auto& arm : RecordTree(params, 60, {0, 0}, RGB(1, 2, 3)).arms)
        for (COLORREF c : arm.colours) ASSERT_EQ(c, RGB(1, 2, 3));
}

TEST(TreeWalker, ReduxThatWouldNotShrinkDrawsTheArmsOnly) {
    for (int redux : {1, 0}) {
        const TreeRecorder tree = RecordTree(WithShape(7, redux), 60);
        EXPECT_EQ(tree.nodes, 1) << redux;
        EXPECT_EQ(tree.segments, 420) << redux;
    }
    // Negative divisors give one level of empty sub-trees.
    const TreeRecorder negative = RecordTree(WithShape(7, -1), 60);
    EXPECT_EQ(negative.nodes, 8);
    EXPECT_EQ(negative.segments, 420);

    // The guard also holds for a threshold the toolbar never sets.
    TreeParams params;
    params.minSegments = -5;
    const TreeRecorder low = RecordTree(params, 60);
    // 60 20 6 2 0, then 0/3 would not shrink: the default tree's 2801 nodes.
    EXPECT_EQ(low.nodes, 2801);
}

TEST(TreeWalker, DeepTreesStayWithinAShallowRecursion) {
    // One arm per node, a million segments halved per level: 20 levels.
    const TreeRecorder tree = RecordTree(WithShape(1, 2), 1000000);
    EXPECT_EQ(tree.nodes, 20);
    // 1000000 + 500000 + ... + 3 + 1: twice the first level less the bits truncation dropped.
    EXPECT_EQ(tree.segments, 1999993);
}

TEST(TreeWalker, OneRandomNumberPerSegmentInDrawingOrder) {
    // A straight tree uses as many numbers as a curled one: the next tree starts alike.
    TreeRandom straight;
    TreeRandom curled;
    COLORREF pen = 0;
    TreeRecorder ignore;
    TreeParams flat;
    flat.turnAngle = 0.0;
    TreeWalker(flat, straight, pen, ignore).Grow(60, {320, 240});
    TreeWalker(TreeParams{}, curled, pen, ignore).Grow(60, {320, 240});
    for (int i = 0; i < 10; ++i) EXPECT_EQ(straight.Next(), curled.Next());

    TreeRandom counted;
    for (int i = 0; i < 8260; ++i) counted.Next();
    TreeRandom afterTree;
    TreeWalker(TreeParams{}, afterTree, pen, ignore).Grow(60, {320, 240});
    EXPECT_EQ(afterTree.Next(), counted.Next());
}

TEST(TreeWalker, StraightArmsWhenTheTurnIsZero) {
    TreeParams params;
    params.turnAngle = 0.0;
    params.branches = 4;
    const TreeRecorder tree = RecordTree(params, 60);
    const auto& down = tree.arms.front();
    for (TreePoint end : down.ends) ASSERT_EQ(end.x, 320);
    EXPECT_EQ(down.ends.back().y, 240 + 180);
}

}  // namespace
}  // namespace morvale
