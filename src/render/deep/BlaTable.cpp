#include "render/deep/BlaTable.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <cmath>

namespace morvale {
namespace {

constexpr double kLargest = 1e300;  // A or B beyond this: the run is never taken

// A run with its reach r, which merging needs; the table keeps only r².
struct Run {
    BlaStep step;
    FloatExp r;
};

FloatExp Magnitude(double re, double im) {
    return FloatExp::From(std::hypot(re, im));
}

Run Reaching(BlaStep s, FloatExp r) {
    s.r2 = r * r;
    s.r2Double = s.r2.ToDouble();
    return {s, r};
}

// x first, then y.
Run Merge(const Run& rx, const Run& ry, FloatExp maxOffset) {
    const BlaStep &x = rx.step, &y = ry.step;
    BlaStep s;
    s.ar = y.ar * x.ar - y.ai * x.ai;
    s.ai = y.ar * x.ai + y.ai * x.ar;
    s.br = y.ar * x.br - y.ai * x.bi + y.br;
    s.bi = y.ar * x.bi + y.ai * x.br + y.bi;
    const double a = std::hypot(s.ar, s.ai), b = std::hypot(s.br, s.bi);
    if (rx.r.m == 0.0 || ry.r.m == 0.0 || !(a < kLargest) || !(b < kLargest))
        return Reaching(s, FloatExp{});
    const FloatExp reach = ry.r - Magnitude(x.br, x.bi) * maxOffset;
    const FloatExp ax = Magnitude(x.ar, x.ai);
    if (reach.m <= 0.0 || ax.m == 0.0) return Reaching(s, FloatExp{});
    const FloatExp r = reach / ax;
    return Reaching(s, r < rx.r ? r : rx.r);
}

struct Singles {
    const ReferenceOrbit& orbit;
    double epsilon;
    FloatExp maxOffset;
    bool withC;

    Run At(std::int64_t m) const {
        const ComplexExp z = orbit.Wide(m);
        BlaStep s;
        s.ar = 2.0 * orbit.Re(m);
        s.ai = 2.0 * orbit.Im(m);
        s.br = withC ? 1.0 : 0.0;
        const FloatExp twiceZ = FloatExp::Normalised(2.0 * std::hypot(z.re, z.im), z.e);
        return Reaching(s, twiceZ * FloatExp::From(epsilon));
    }
    // The run of 2^level steps from entry m, merged pairwise as the levels below would be.
    Run Tree(int level, std::int64_t m) const {
        if (level == 0) return At(m);
        const std::int64_t half = std::int64_t(1) << (level - 1);
        return Merge(Tree(level - 1, m), Tree(level - 1, m + half), maxOffset);
    }
};

}  // namespace

void BlaTable::Build(const ReferenceOrbit& orbit, double epsilon, FloatExp maxOffset, bool withC) {
    levels_.clear();
    reach2Bound_ = 0.0;
    // Steps from entries 1 .. size − 2: each needs the entry it lands on.
    const std::int64_t steps = orbit.Size() - 2;
    if ((steps >> kFirstLevel) < 1) return;
    const Singles singles{orbit, epsilon, maxOffset, withC};
    // The reaches of the newest level, for merging the next; the table keeps r² alone.
    std::vector<FloatExp> reach(std::size_t(steps >> kFirstLevel));
    std::vector<BlaStep> lowest(reach.size());
    tbb::parallel_for(std::size_t(0), lowest.size(), [&](std::size_t j) {
        const Run run = singles.Tree(kFirstLevel, 1 + std::int64_t(j << kFirstLevel));
        lowest[j] = run.step;
        reach[j] = run.r;
    });
    levels_.push_back(std::move(lowest));
    while (levels_.back().size() >= 2) {
        const std::vector<BlaStep>& below = levels_.back();
        std::vector<BlaStep> merged(below.size() / 2);
        std::vector<FloatExp> mergedReach(merged.size());
        tbb::parallel_for(std::size_t(0), merged.size(), [&](std::size_t j) {
            const Run run = Merge({below[2 * j], reach[2 * j]},
                                  {below[2 * j + 1], reach[2 * j + 1]}, maxOffset);
            merged[j] = run.step;
            mergedReach[j] = run.r;
        });
        levels_.push_back(std::move(merged));
        reach = std::move(mergedReach);
    }
    // A run's reach never exceeds its first half's, so the lowest level holds the largest.
    for (const BlaStep& step : levels_.front())
        reach2Bound_ = std::max(reach2Bound_, step.r2Double);
}

std::int64_t BlaTable::Bytes() const {
    std::int64_t bytes = 0;
    for (const auto& level : levels_) bytes += std::int64_t(level.size() * sizeof(BlaStep));
    return bytes;
}

}  // namespace morvale
