// Bivariate linear approximation of runs of perturbation steps along one reference orbit: while
// |z| < r, 2^l steps from entry m are z ← A·z + B·dc (the z² terms stay below ε of the linear
// ones). Single steps are merged pairwise into a tree, level l holding runs of 2^l steps that
// start at entries 1 + j·2^l: a rebased pixel, which takes its first step from entry 0 alone,
// can then jump by the largest run at once.
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
    FloatExp r;                 // valid while |z| < r
    FloatExp r2;                // r²: compared with |z|², which needs no root
    double r2Double = 0.0;      // r² rounded to a double (0 when it underflows)
};

class BlaTable {
public:
    // epsilon: the relative size of the dropped terms; maxOffset: the largest |dc| of the
    // picture; withC: Mandelbrot (B = 1 per step) rather than Julia (B = 0).
    void Build(const ReferenceOrbit& orbit, double epsilon, FloatExp maxOffset, bool withC);

    int Levels() const { return int(levels_.size()); }
    // The highest level whose runs may start at entry m > 0.
    int TopLevel(std::int64_t m) const {
        return std::min(std::countr_zero(std::uint64_t(m - 1)), Levels() - 1);
    }
    // The run of 2^level steps from entry m (m − 1 a multiple of 2^level); null when there is
    // none.
    const BlaStep* Find(int level, std::int64_t m) const {
        const auto& steps = levels_[std::size_t(level)];
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
        for (int l = 1; l <= top && (std::int64_t(1) << l) <= maxSteps; ++l) {
            const BlaStep* s = Find(l, m);
            if (!s || !valid(*s)) break;
            best = s;
            level = l;
        }
        return best;
    }

    // No run is valid for an offset with |z|² at or above this: every run's r² is below it.
    double Reach2Bound() const { return reach2Bound_; }

private:
    std::vector<std::vector<BlaStep>> levels_;
    double reach2Bound_ = 0.0;
};

}  // namespace morvale
