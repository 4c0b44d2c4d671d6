#include "render/escape/EscapeProgress.h"

#include <algorithm>

namespace morvale {

EscapeProgress::EscapeProgress(int rows)
    : rows_(std::max(rows, 0)),
      finished_(std::make_unique<std::atomic<bool>[]>(std::size_t(rows_))),
      taken_(std::size_t(rows_), false) {}

void EscapeProgress::MarkDone(int begin, int end) {
    for (int y = begin; y < end; ++y)
        finished_[std::size_t(y)].store(true, std::memory_order_release);
    done_.fetch_add(end - begin, std::memory_order_release);
}

bool EscapeProgress::TakeFinished(const std::function<void(int begin, int end)>& take) {
    bool any = false;
    for (int y = 0; y < rows_;) {
        const auto ready = [&](int row) {
            return !taken_[std::size_t(row)] &&
                   finished_[std::size_t(row)].load(std::memory_order_acquire);
        };
        if (!ready(y)) {
            ++y;
            continue;
        }
        int end = y;
        while (end < rows_ && ready(end)) taken_[std::size_t(end++)] = true;
        take(y, end);
        any = true;
        y = end;
    }
    return any;
}

}  // namespace morvale
