// What one escape-time drawing computed, for statistics and benchmarks.
#pragma once

#include <cstdint>

namespace morvale {

// Visible pixels computed and the iterations the plain loop runs for them (a point decided early
// by its cycle still counts up to the limit).
struct EscapeTally {
    std::int64_t pixels = 0;
    std::int64_t iterations = 0;
    std::int64_t stayed = 0;     // pixels whose point never escaped up to the limit
    std::int64_t undecided = 0;  // of those, the ones not known to stay for ever (no cycle)
    EscapeTally& operator+=(const EscapeTally& other) {
        pixels += other.pixels;
        iterations += other.iterations;
        stayed += other.stayed;
        undecided += other.undecided;
        return *this;
    }
};

}  // namespace morvale
