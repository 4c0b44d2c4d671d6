// Remembers sin and cos of recently used angles. Tree arms restart at the same absolute angles
// and turn by one fixed step, so a drawing meets few distinct angles many times over; a hit
// returns the very values the functions gave, so pictures stay bit for bit the same.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace morvale {

class SineCosineCache {
public:
    struct Pair {
        double sine;
        double cosine;
    };

    // Every slot starts out holding the true pair of angle +0.0.
    SineCosineCache() : slots_(kSlots, Slot{0, {0.0, 1.0}}) {}

    Pair Get(double angle) {
        const std::uint64_t key = std::bit_cast<std::uint64_t>(angle);
        Slot& slot = slots_[(key * 0x9E3779B97F4A7C15ull) >> (64 - kBits)];
        if (slot.key != key) slot = {key, {std::sin(angle), std::cos(angle)}};
        return slot.pair;
    }

private:
    static constexpr int kBits = 12;
    static constexpr std::size_t kSlots = std::size_t(1) << kBits;
    struct Slot {
        std::uint64_t key;
        Pair pair;
    };
    std::vector<Slot> slots_;
};

}  // namespace morvale
