#include "view/tree/TreeJob.h"

#include <algorithm>

#include "view/tree/TreeDeviceCanvas.h"

namespace morvale {

class TreeJob::Canvas final : public TreeDeviceCanvas {
public:
    Canvas(CDC& dc, CPen*& oldPen, TreeJob& job, std::unique_lock<std::mutex>& lock)
        : TreeDeviceCanvas(dc, oldPen), job_(job), lock_(lock) {}
    ~Canvas() override { Publish(); }

    void LineTo(TreePoint to, COLORREF colour) override {
        TreeDeviceCanvas::LineTo(to, colour);
        if (++unpublished_ == kPublishEvery) Publish();
    }

    bool Stopped() override {
        if (job_.pauseWanted_.load(std::memory_order_acquire)) {
            lock_.unlock();
            job_.pauseWanted_.wait(true, std::memory_order_acquire);
            lock_.lock();
        }
        return job_.Cancelled();
    }

private:
    static constexpr int kPublishEvery = 4096;
    void Publish() {
        job_.drawn_.store(job_.drawn_.load(std::memory_order_relaxed) + unpublished_,
                          std::memory_order_relaxed);
        unpublished_ = 0;
    }

    TreeJob& job_;
    std::unique_lock<std::mutex>& lock_;
    int unpublished_ = 0;
};

TreeJob::TreeJob(const TreePlan& plan, PixelSurface surface, int deviceWidth, int deviceHeight,
                 std::function<void()> ended)
    : plan_(plan) {
    std::promise<void> done;
    ended_ = done.get_future().share();
    thread_ = std::thread([this, surface, deviceWidth, deviceHeight, ended = std::move(ended),
                           done = std::move(done)]() mutable {
        Draw(surface, deviceWidth, deviceHeight);
        done.set_value();
        if (ended) ended();
    });
}

TreeJob::~TreeJob() {
    Cancel();
    thread_.join();
}

void TreeJob::Draw(PixelSurface surface, int deviceWidth, int deviceHeight) {
    std::unique_lock lock(drawing_);
    CDC dc(surface, deviceWidth, deviceHeight);
    CPen* oldPen = nullptr;
    Canvas canvas(dc, oldPen, *this, lock);
    TreeRandom random = plan_.random;
    COLORREF pen = plan_.pen;
    TreeWalker(plan_.params, random, pen, canvas).Grow(plan_.segments, plan_.root);
}

bool TreeJob::WaitFor(std::chrono::milliseconds time) const {
    return ended_.wait_for(time) == std::future_status::ready;
}

int TreeJob::Percent() const {
    if (plan_.total <= 0.0) return 100;
    return int(std::min(100.0, drawn_.load(std::memory_order_relaxed) * 100.0 / plan_.total));
}

void TreeJob::WhilePaused(const std::function<void()>& look) {
    pauseWanted_.store(true, std::memory_order_release);
    {
        std::lock_guard lock(drawing_);
        look();
    }
    pauseWanted_.store(false, std::memory_order_release);
    pauseWanted_.notify_all();
}

}  // namespace morvale
