// Bivariate linear approximation of runs of perturbation steps along one reference orbit: while
// |z| < r, 2^l steps from entry m are z ← A·z + B·dc (the z² terms stay below ε of the linear
// ones). Single steps are merged pairwise into a tree, level l holding runs of 2^l steps that
// start at entries 1 + j·2^l: a rebased pixel, which takes its first step from entry 0 alone,
// can then jump by the largest run at once. The lowest levels are merged on the way up only.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "plane/FloatExp.h"
#include "render/deep/ReferenceOrbit.h"

namespace morvale {

struct BlaStep {
    double ar = 0.0, ai = 0.0;  // A
    double br = 0.0, bi = 0.0;  // B
    FloatExp r2;                // valid while |z|² < r2
    double r2Double = 0.0;      // r2 rounded to a double (0 when it underflows)
};

class BlaTable {
public:
    // Runs of 2 and 4 steps would be three quarters of the table, and leaving them to single
    // steps measured no slower (public locations at 1024 x 1024, and 8.8e-311). From 8 on the
    // table costs at most 14 bytes an orbit entry, and its build holds 2 more for a while.
    static constexpr int kFirstLevel = 3;
    static constexpr std::int64_t kBytesPerEntry = sizeof(BlaStep) >> (kFirstLevel - 1);
    static constexpr std::int64_t kBuildBytesPerEntry = sizeof(FloatExp) >> kFirstLevel;

    // epsilon: the relative size of the dropped terms; maxOffset: the largest |dc| of the
    // picture; withC: Mandelbrot (B = 1 per step) rather than Julia (B = 0).
    void Build(const ReferenceOrbit& orbit, double epsilon, FloatExp maxOffset, bool withC);

    int Levels() const { return kFirstLevel + int(levels_.size()); }
    // The highest level whose runs may start at entry m > 0.
    int TopLevel(std::int64_t m) const {
        return std::min(std::countr_zero(std::uint64_t(m - 1)), Levels() - 1);
    }
    // The run of 2^level steps from entry m (m − 1 a multiple of 2^level); null when there is
    // none.
    const BlaStep* Find(int level, std::int64_t m) const {
        const auto& steps = levels_[std::size_t(level - kFirstLevel)];
        const auto j = std::uint64_t(m - 1) >> level;
        return j < steps.size() ? &steps[j] : nullptr;
    }

    // The longest run from entry m of at most maxSteps steps that valid accepts, its level in
    // level. A run's reach never exceeds that of its first half, so the search stops at the
    // first refusal.
    template <class Valid>
    const BlaStep* Longest(std::int64_t m, std::int64_t maxSteps, int& level, Valid valid) const {
        const BlaStep* best = nullptr;
        if (m <= 0) return best;
        const int top = TopLevel(m);
        for (int l = kFirstLevel; l <= top && (std::int64_t(1) << l) <= maxSteps; ++l) {
            const BlaStep* s = Find(l, m);
            if (!s || !valid(*s)) break;
            best = s;
            level = l;
        }
        return best;
    }

    // The runs of the lowest level, each from entry 1 + j·2^kFirstLevel (null when the orbit is
    // too short for any), and how many.
    const BlaStep* FirstRuns() const { return levels_.empty() ? nullptr : levels_[0].data(); }
    std::int64_t FirstRunCount() const {
        return levels_.empty() ? 0 : std::int64_t(levels_[0].size());
    }

    // No run is valid for an offset with |z|² at or above this: every run's r² is below it.
    double Reach2Bound() const { return reach2Bound_; }
    std::int64_t Bytes() const;

private:
    std::vector<std::vector<BlaStep>> levels_;  // from kFirstLevel up
    double reach2Bound_ = 0.0;
};

}  // namespace morvale
