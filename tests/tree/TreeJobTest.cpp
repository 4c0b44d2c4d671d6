// The tree drawn by its own thread: the same pixels as a paint, and a stop that leaves the
// following trees as a complete drawing would.
#include <gtest/gtest.h>

#include "TreeViewFixture.h"
#include "view/tree/TreeJob.h"

namespace morvale {
namespace {

enum class Way { Paint, Job, StoppedJob };  // StoppedJob stops its first tree only

// One view drawing its trees one way.
struct TreeSession {
    explicit TreeSession(Way way) : way(way) { view.ViewMode = Drawing::Tree; }

    PixelImage Draw(int branches) {
        view.Branches = branches;
        PixelImage picture(900, 800, testing::kBackground);
        CDC dc(picture.Surface(), 1280, 1024);
        if (way == Way::Paint) {
            view.OnDraw(&dc);
            return picture;
        }
        TreeJob job(view.StartTree(&dc), picture.Surface(), 1280, 1024);
        const bool stop = way == Way::StoppedJob && drawn++ == 0;
        if (stop) job.Cancel();
        bool looked = false;
        job.WhilePaused([&] { looked = true; });
        job.Wait();
        EXPECT_TRUE(looked);
        EXPECT_TRUE(stop || job.Percent() == 100);
        return picture;
    }

    Way way;
    int drawn = 0;
    CMorvale1Doc doc;
    testing::TestView view{&doc};
};

TEST(TreeJob, DrawsThePaintsPixelsAndAStoppedTreeLeavesTheNextTreesAlike) {
    constexpr int kBig = 30;  // 1.8 million segments: long enough to be stopped
    TreeSession painted(Way::Paint), drawn(Way::Job), stopped(Way::StoppedJob);
    const PixelImage big = painted.Draw(kBig);
    EXPECT_EQ(drawn.Draw(kBig).Pixels(), big.Pixels());
    EXPECT_NE(stopped.Draw(kBig).Pixels(), big.Pixels()) << "the stop came too late";
    // The generator and the pen go on as after the whole big tree.
    for (int tree = 0; tree < 2; ++tree) {
        const PixelImage next = painted.Draw(7);
        EXPECT_EQ(drawn.Draw(7).Pixels(), next.Pixels()) << tree;
        EXPECT_EQ(stopped.Draw(7).Pixels(), next.Pixels()) << tree;
    }
}

}  // namespace
}  // namespace morvale
