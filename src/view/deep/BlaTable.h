// Bivariate linear approximation of runs of perturbation steps along one reference orbit: while
// |z| < r, 2^l steps from entry m are z ← A·z + B·dc (the z² terms stay below ε of the linear
// ones). Single steps are merged pairwise into a tree, level l holding runs of 2^l steps that
// start at multiples of 2^l.
#pragma once

#include <cstdint>
#include <vector>

#include "view/deep/FloatExp.h"
#include "view/deep/ReferenceOrbit.h"

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
    // The run of 2^level steps from entry m; null when the table has none.
    const BlaStep* Find(int level, std::int64_t m) const {
        const auto& steps = levels_[std::size_t(level)];
        const auto j = std::uint64_t(m) >> level;
        return j < steps.size() ? &steps[j] : nullptr;
    }

private:
    std::vector<std::vector<BlaStep>> levels_;
};

}  // namespace morvale
