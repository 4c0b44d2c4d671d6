// What one escape-time drawing computed, for statistics and benchmarks.
#pragma once

#include <cstdint>

namespace morvale {

// Visible pixels computed and the iterations the plain loop runs for them (a point decided early
// by its cycle still counts up to the limit).
struct EscapeTally {
    std::int64_t pixels = 0;
    std::int64_t iterations = 0;
    EscapeTally& operator+=(const EscapeTally& other) {
        pixels += other.pixels;
        iterations += other.iterations;
        return *this;
    }
};

}  // namespace morvale
