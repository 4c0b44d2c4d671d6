#include "view/navigate/ViewHistory.h"

namespace morvale {

void ViewHistory::Record(const PlaneView& view) {
    if (!views_.empty() && views_[current_] == view) return;
    if (!views_.empty()) views_.resize(current_ + 1);
    views_.push_back(view);
    if (views_.size() > capacity_) views_.pop_front();
    current_ = views_.size() - 1;
}

std::optional<PlaneView> ViewHistory::Back() {
    if (!CanGoBack()) return std::nullopt;
    return views_[--current_];
}

std::optional<PlaneView> ViewHistory::Forward() {
    if (!CanGoForward()) return std::nullopt;
    return views_[++current_];
}

}  // namespace morvale
