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
        state_ = state_ * kMul + kAdd;
        return int((state_ / 65536u) % 32768u);
    }
    void Restart() { state_ = kStart; }
    // As many steps as `count` calls of Next, in a few multiplications (the steps compose into
    // one affine map modulo 2^32).
    void Skip(std::uint32_t count) {
        std::uint32_t mul = 1, add = 0, stepMul = kMul, stepAdd = kAdd;
        for (; count != 0; count >>= 1) {
            if (count & 1u) {
                mul *= stepMul;
                add = add * stepMul + stepAdd;
            }
            stepAdd *= stepMul + 1u;
            stepMul *= stepMul;
        }
        state_ = state_ * mul + add;
    }
    friend bool operator==(const TreeRandom&, const TreeRandom&) = default;

private:
    static constexpr std::uint32_t kStart = 1;
    static constexpr std::uint32_t kMul = 1103515245u;
    static constexpr std::uint32_t kAdd = 12345u;
    std::uint32_t state_ = kStart;
};

}  // namespace morvale
