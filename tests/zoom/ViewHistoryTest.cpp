#include <gtest/gtest.h>

#include "view/navigate/ViewHistory.h"

namespace morvale {
namespace {

PlaneView Mandel(double xMin) {
    return {false, {xMin, xMin + 1, -1, 1}, 0, 0, 64};
}

TEST(ViewHistoryTest, RepeatsAddNothingANewViewDropsTheOnesAheadAndTheOldestBeyondTheBound) {
    ViewHistory history(3);
    history.Record(Mandel(0));
    history.Record(Mandel(0));  // the same picture again, in other colours
    EXPECT_EQ(history.Size(), 1u);
    EXPECT_FALSE(history.Back());
    history.Record(Mandel(1));
    history.Record(Mandel(2));
    EXPECT_EQ(history.Back(), Mandel(1));
    history.Record(Mandel(1));  // the back drawing itself adds nothing
    EXPECT_EQ(history.Forward(), Mandel(2));
    EXPECT_EQ(history.Back(), Mandel(1));
    history.Record({true, {0, 1, -1, 1}, 0.25, 0.5, 64});  // leaves Mandel(2) behind
    EXPECT_FALSE(history.CanGoForward());
    history.Record(Mandel(3));
    EXPECT_EQ(history.Size(), 3u);
    EXPECT_EQ(history.Back()->julia, true);
    EXPECT_EQ(history.Back(), Mandel(1));
    EXPECT_FALSE(history.CanGoBack()) << "Mandel(0) fell out";
}

}  // namespace
}  // namespace morvale
