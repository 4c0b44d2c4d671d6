// The plain steps of several pixels' walks side by side in vectors: a step with no approximated
// run, no rebase and no look on the way, which is most of the passes of pixels with high counts.
// Every lane computes what the pixel's own walk would, operation for operation.
#pragma once

#include <cstdint>

namespace morvale {

// A narrow offset whose |z|² falls below this goes wide: its square would leave double's range.
inline constexpr double kNarrowNorm = 0x1p-880;
// A walk looks at the stop flag once every this many passes, plus one.
inline constexpr std::uint64_t kStopCheckMask = (1u << 16) - 1;

struct WalkLanes {
    static constexpr int kCount = 8;
    enum Hold : std::int64_t {
        kWalking = 0,
        kWaiting = 1,  // its next pass is not a plain step, or no pixel is in the lane
        kLanded = 2,   // a step was taken whose landing the pixel's walk must look at
    };
    alignas(64) double zr[kCount] = {}, zi[kCount] = {}, cr[kCount] = {}, ci[kCount] = {};
    alignas(64) double reach2[kCount] = {};  // runs may start below this |z|²
    alignas(64) std::int64_t m[kCount] = {}, last[kCount] = {};
    // Steps the lane may take before its walk must look at the limit, the stop flag, its state
    // or the end of its table's runs.
    alignas(64) std::int64_t budget[kCount] = {};
    // Where entry 0 of the lane's orbit lies, in doubles from orbit; where its lowest runs lie,
    // from runs. Julia's two orbits and tables lie apart.
    alignas(64) std::int64_t base[kCount] = {}, runBase[kCount] = {};
    alignas(64) std::int64_t hold[kCount] = {};
    const double* orbit = nullptr;
    const double* runs = nullptr;
};

// Steps the walking lanes until at least holdAt of them wait or have landed, or maxSteps steps
// are taken.
void StepWalkLanes(WalkLanes& lanes, int maxSteps, int holdAt);

}  // namespace morvale
