// One tree drawn on a thread of its own into a surface the caller keeps alive until the job has
// ended. The window's thread may look at the surface between two segments (WhilePaused).
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "platform/CDC.h"
#include "view/tree/TreeRandom.h"
#include "view/tree/TreeWalker.h"

namespace morvale {

// Everything one tree needs, taken from the view on the window's thread.
struct TreePlan {
    TreeParams params;
    int segments = 0;
    TreePoint root;
    TreeRandom random;  // at the state the tree starts from
    COLORREF pen = 0;
    double total = 0.0;  // segments of the whole tree, for the progress
};

class TreeJob {
public:
    // The surface is drawn on as a device of deviceWidth × deviceHeight; ended runs on the job's
    // thread once the tree is complete or the job was cancelled.
    TreeJob(const TreePlan& plan, PixelSurface surface, int deviceWidth, int deviceHeight,
            std::function<void()> ended = {});
    // Cancels and waits: nothing runs after the job is gone.
    ~TreeJob();
    TreeJob(const TreeJob&) = delete;
    TreeJob& operator=(const TreeJob&) = delete;

    void Cancel() { stop_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return stop_.load(std::memory_order_relaxed); }
    bool Ended() const { return WaitFor(std::chrono::milliseconds(0)); }
    bool WaitFor(std::chrono::milliseconds time) const;
    void Wait() const { ended_.wait(); }

    // Whole per cent of the segments drawn.
    int Percent() const;
    // Runs look while the job draws nothing, so that the surface holds whole segments.
    void WhilePaused(const std::function<void()>& look);

private:
    class Canvas;
    void Draw(PixelSurface surface, int deviceWidth, int deviceHeight);

    TreePlan plan_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> pauseWanted_{false};
    std::atomic<double> drawn_{0.0};
    std::mutex drawing_;  // held by the job's thread while it draws
    std::shared_future<void> ended_;
    std::thread thread_;
};

}  // namespace morvale
