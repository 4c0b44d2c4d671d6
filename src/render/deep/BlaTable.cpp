#include "render/deep/BlaTable.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <cmath>

namespace morvale {
namespace {

constexpr double kLargest = 1e300;  // A or B beyond this: the run is never taken

FloatExp Magnitude(double re, double im) {
    return FloatExp::From(std::hypot(re, im));
}

void Invalidate(BlaStep& s) {
    s.r = FloatExp{};
}

void Square(BlaStep& s) {
    s.r2 = s.r * s.r;
    s.r2Double = s.r2.ToDouble();
}

// x first, then y.
BlaStep Merge(const BlaStep& x, const BlaStep& y, FloatExp maxOffset) {
    BlaStep s;
    s.ar = y.ar * x.ar - y.ai * x.ai;
    s.ai = y.ar * x.ai + y.ai * x.ar;
    s.br = y.ar * x.br - y.ai * x.bi + y.br;
    s.bi = y.ar * x.bi + y.ai * x.br + y.bi;
    const double a = std::hypot(s.ar, s.ai), b = std::hypot(s.br, s.bi);
    if (x.r.m == 0.0 || y.r.m == 0.0 || !(a < kLargest) || !(b < kLargest)) {
        Invalidate(s);
        return s;
    }
    const FloatExp reach = y.r - Magnitude(x.br, x.bi) * maxOffset;
    const FloatExp ax = Magnitude(x.ar, x.ai);
    if (reach.m <= 0.0 || ax.m == 0.0) {
        Invalidate(s);
        return s;
    }
    const FloatExp ry = reach / ax;
    s.r = ry < x.r ? ry : x.r;
    Square(s);
    return s;
}

}  // namespace

void BlaTable::Build(const ReferenceOrbit& orbit, double epsilon, FloatExp maxOffset, bool withC) {
    levels_.clear();
    reach2Bound_ = 0.0;
    // Steps from entries 1 .. size − 2: each needs the entry it lands on.
    const std::int64_t steps = orbit.Size() - 2;
    if (steps < 1) return;
    std::vector<BlaStep> single(std::size_t(steps), BlaStep{});
    tbb::parallel_for(std::int64_t(1), steps + 1, [&](std::int64_t m) {
        BlaStep& s = single[std::size_t(m - 1)];
        const ComplexExp& z = orbit.Wide(m);
        s.ar = 2.0 * orbit.Re(m);
        s.ai = 2.0 * orbit.Im(m);
        s.br = withC ? 1.0 : 0.0;
        const FloatExp twiceZ = FloatExp::Normalised(2.0 * std::hypot(z.re, z.im), z.e);
        s.r = twiceZ * FloatExp::From(epsilon);
        Square(s);
    });
    levels_.push_back(std::move(single));
    while (levels_.back().size() >= 2) {
        const std::vector<BlaStep>& below = levels_.back();
        std::vector<BlaStep> merged(below.size() / 2);
        tbb::parallel_for(std::size_t(0), merged.size(), [&](std::size_t j) {
            merged[j] = Merge(below[2 * j], below[2 * j + 1], maxOffset);
        });
        levels_.push_back(std::move(merged));
    }
    // A run's reach never exceeds its first half's, so level 1 holds the largest of them all.
    if (levels_.size() > 1)
        for (const BlaStep& step : levels_[1]) reach2Bound_ = std::max(reach2Bound_, step.r2Double);
}

}  // namespace morvale
