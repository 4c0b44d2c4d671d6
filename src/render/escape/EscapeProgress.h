// What an escape-time drawing on another thread has finished, and the request to stop it.
// The computing threads mark rows; one other thread (the window's) takes them for showing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace morvale {

class EscapeProgress {
public:
    explicit EscapeProgress(int rows);

    int Rows() const { return rows_; }
    int RowsDone() const { return done_.load(std::memory_order_acquire); }

    void Cancel() { stop_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return stop_.load(std::memory_order_relaxed); }
    const std::atomic<bool>* StopFlag() const { return &stop_; }

    // A deep drawing's reference orbit: done of at most total iterations computed so far.
    void SetReference(std::int64_t done, std::int64_t total) {
        referenceTotal_.store(total, std::memory_order_relaxed);
        referenceDone_.store(done, std::memory_order_relaxed);
    }
    // Percent of the reference computed while it is being computed, else -1.
    int ReferencePercent() const {
        const std::int64_t total = referenceTotal_.load(std::memory_order_relaxed);
        const std::int64_t done = referenceDone_.load(std::memory_order_relaxed);
        return total > 0 && done < total && RowsDone() == 0 ? int(done * 100 / total) : -1;
    }

    // Computing threads: client rows [begin, end) hold their final pixels.
    void MarkDone(int begin, int end);
    // Taking thread: calls take(begin, end) for each run of rows finished since its last call.
    // Returns whether there was any.
    bool TakeFinished(const std::function<void(int begin, int end)>& take);

private:
    int rows_;
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0};
    std::atomic<std::int64_t> referenceDone_{0};
    std::atomic<std::int64_t> referenceTotal_{0};
    std::unique_ptr<std::atomic<bool>[]> finished_;
    std::vector<bool> taken_;
};

}  // namespace morvale
