// The views of the escape-time pictures drawn, for going back and forward: a bounded list with a
// current position, as a browser keeps its pages.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "plane/PlaneView.h"

namespace morvale {

class ViewHistory {
public:
    static constexpr std::size_t kCapacity = 100;

    explicit ViewHistory(std::size_t capacity = kCapacity) : capacity_(capacity) {}

    // A picture of `view` was drawn. Repeating the current view adds nothing; any other view
    // follows the current one and drops the views ahead of it, and the oldest beyond capacity.
    void Record(const PlaneView& view);

    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < views_.size(); }
    // Moves one view back or forward and returns it; none where there is nowhere to go.
    std::optional<PlaneView> Back();
    std::optional<PlaneView> Forward();
    std::size_t Size() const { return views_.size(); }

private:
    std::deque<PlaneView> views_;
    std::size_t current_ = 0;  // meaningful while views_ holds any
    std::size_t capacity_;
};

}  // namespace morvale
