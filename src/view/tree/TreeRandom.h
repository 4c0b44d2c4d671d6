// The tree's random numbers: 15-bit values from a fixed start, so every run on every machine
// draws the same sequence of trees.
#pragma once

#include <cstdint>

namespace morvale {

class TreeRandom {
public:
    static constexpr int kMax = 32767;

    // Linear congruential step; bits 16..30 of the state are the output.
    int Next() {
        state_ = state_ * 1103515245u + 12345u;
        return int((state_ / 65536u) % 32768u);
    }
    void Restart() { state_ = kStart; }

private:
    static constexpr std::uint32_t kStart = 1;
    std::uint32_t state_ = kStart;
};

}  // namespace morvale
