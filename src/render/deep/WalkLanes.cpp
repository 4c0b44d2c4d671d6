// Compiled once per instruction set; the best one for the running machine is chosen at run time.
// Each product and sum is rounded on its own, in the walk's order (never fused), so a lane's
// iterates are bit for bit those of the pixel's own walk.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/deep/WalkLanes.cpp"
#include "render/deep/WalkLanes.h"

#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <cstddef>

#include "render/deep/BlaTable.h"
#include "render/escape/EscapeKernel.h"

HWY_BEFORE_NAMESPACE();
namespace morvale {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<double>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using VI = hn::Vec<DI>;
using M = hn::Mask<D>;

constexpr int kFirst = BlaTable::kFirstLevel;
constexpr std::int64_t kRunMask = (std::int64_t(1) << kFirst) - 1;
constexpr std::int64_t kRunReach = offsetof(BlaStep, r2Double) / sizeof(double);
static_assert(sizeof(BlaStep) == 7 * sizeof(double), "a run's index is 8j - j doubles");

constexpr size_t kVectors = WalkLanes::kCount / hn::MaxLanes(D());

// One vector of lanes, kept in registers while they walk. Every lane steps on, held ones too,
// so that no step waits for the tests of the one before: the next entries are read early.
// A lane that stops walking keeps its state aside. Z is the orbit's entry m.
struct Lanes {
    V zr, zi, bigR, bigI;
    VI m, n, passes;
    M walking;
    V heldR, heldI;
    VI heldM, heldN, heldPasses, hold;
};

VI Int(std::int64_t v) {
    return hn::Set(DI(), v);
}

M FromInt(hn::Mask<DI> mask) {
    return hn::RebindMask(D(), mask);
}

// The orbit's entries at m, part 0 (real) or 1.
V Entry(const WalkLanes& l, size_t i, VI m, std::int64_t part) {
    const VI at = hn::Add(hn::Load(DI(), l.base + i), hn::Add(hn::Add(m, m), Int(part)));
    return hn::GatherIndex(D(), l.orbit, at);
}

// Whether a lane's next pass tries an approximated run: a run starts at its entry, leaves the
// limit room, and reaches past |z|² = size.
M TriesRun(const WalkLanes& l, size_t i, VI m, VI n, V size) {
    const D d;
    const DI di;
    const VI j = hn::ShiftRight<kFirst>(hn::Sub(m, Int(1)));
    const VI count = hn::Load(di, l.runCount + i);
    const M candidate =
        hn::And(hn::And(FromInt(hn::Eq(hn::And(hn::Sub(m, Int(1)), Int(kRunMask)), Int(0))),
                        hn::Lt(size, hn::Load(d, l.reach2 + i))),
                FromInt(hn::And(hn::Lt(j, count),
                                hn::Not(hn::Lt(hn::Sub(Int(l.limit), n), Int(kRunMask + 1))))));
    if (hn::AllFalse(d, candidate)) return candidate;
    // Lanes that are no candidate read their first run, which is always there.
    const VI k = hn::IfThenElseZero(hn::RebindMask(di, candidate), j);
    const VI at = hn::Add(hn::Load(di, l.runBase + i),
                          hn::Add(hn::Sub(hn::ShiftLeft<3>(k), k), Int(kRunReach)));
    return hn::And(candidate, hn::Lt(size, hn::GatherIndex(d, l.runs, at)));
}

// One plain step of every lane; returns how many walk on.
HWY_INLINE size_t Step(const WalkLanes& l, size_t i, Lanes& p) {
    const D d;
    const DI di;
    const V tr = hn::Add(hn::Add(p.bigR, p.bigR), p.zr);
    const V ti = hn::Add(hn::Add(p.bigI, p.bigI), p.zi);
    const V zr = hn::Add(hn::Sub(hn::Mul(tr, p.zr), hn::Mul(ti, p.zi)), hn::Load(d, l.cr + i));
    p.zi = hn::Add(hn::Add(hn::Mul(tr, p.zi), hn::Mul(ti, p.zr)), hn::Load(d, l.ci + i));
    p.zr = zr;
    p.m = hn::Min(hn::Add(p.m, Int(1)), hn::Load(di, l.last + i));
    p.n = hn::Add(p.n, Int(1));
    p.passes = hn::Add(p.passes, Int(1));
    p.bigR = Entry(l, i, p.m, 0);
    p.bigI = Entry(l, i, p.m, 1);
    const V fr = hn::Add(p.bigR, p.zr), fi = hn::Add(p.bigI, p.zi);
    const V magnitude = hn::Add(hn::Mul(fr, fr), hn::Mul(fi, fi));
    const V size = hn::Add(hn::Mul(p.zr, p.zr), hn::Mul(p.zi, p.zi));
    // After its step the walk ends, rebases or goes wide.
    const M landed = hn::Or(
        hn::Or(hn::Not(hn::Le(magnitude, hn::Set(d, kEscapeBound))), hn::Lt(magnitude, size)),
        hn::Or(FromInt(hn::Eq(p.m, hn::Load(di, l.last + i))),
               hn::And(hn::Lt(size, hn::Set(d, kNarrowNorm)), hn::Gt(size, hn::Zero(d)))));
    // Its next pass ends at the limit, looks at the stop flag or the state, or tries a run.
    const M busy = FromInt(hn::Or(
        hn::Or(hn::Not(hn::Lt(p.n, Int(l.limit))),
               hn::Not(hn::Lt(p.m, hn::Load(di, l.nextLook + i)))),
        hn::Eq(hn::And(hn::Add(p.passes, Int(1)), Int(std::int64_t(kStopCheckMask))), Int(0))));
    const M stops =
        hn::And(p.walking, hn::Or(landed, hn::Or(busy, TriesRun(l, i, p.m, p.n, size))));
    const auto stopsI = hn::RebindMask(di, stops);
    p.heldR = hn::IfThenElse(stops, p.zr, p.heldR);
    p.heldI = hn::IfThenElse(stops, p.zi, p.heldI);
    p.heldM = hn::IfThenElse(stopsI, p.m, p.heldM);
    p.heldN = hn::IfThenElse(stopsI, p.n, p.heldN);
    p.heldPasses = hn::IfThenElse(stopsI, p.passes, p.heldPasses);
    p.hold = hn::IfThenElse(stopsI,
                            hn::IfThenElse(hn::RebindMask(di, landed), Int(WalkLanes::kLanded),
                                           Int(WalkLanes::kWaiting)),
                            p.hold);
    p.walking = hn::AndNot(stops, p.walking);
    return hn::CountTrue(d, p.walking);
}

}  // namespace

void StepWalkLanesImpl(WalkLanes& l, int maxSteps, int holdAt) {
    const D d;
    const DI di;
    constexpr size_t kN = hn::MaxLanes(D());
    Lanes p[kVectors];
    size_t held = 0;
    for (size_t v = 0; v < kVectors; ++v) {
        const size_t i = v * kN;
        Lanes& q = p[v];
        q.zr = q.heldR = hn::Load(d, l.zr + i);
        q.zi = q.heldI = hn::Load(d, l.zi + i);
        q.m = q.heldM = hn::Load(di, l.m + i);
        q.n = q.heldN = hn::Load(di, l.n + i);
        q.passes = q.heldPasses = hn::Load(di, l.passes + i);
        q.hold = hn::Load(di, l.hold + i);
        q.walking = FromInt(hn::Eq(q.hold, Int(WalkLanes::kWalking)));
        q.bigR = Entry(l, i, q.m, 0);
        q.bigI = Entry(l, i, q.m, 1);
        held += kN - hn::CountTrue(d, q.walking);
    }
    for (int s = 0; s < maxSteps && held < size_t(holdAt); ++s) {
        size_t walking = 0;
        for (size_t v = 0; v < kVectors; ++v) walking += Step(l, v * kN, p[v]);
        held = size_t(WalkLanes::kCount) - walking;
    }
    for (size_t v = 0; v < kVectors; ++v) {
        const size_t i = v * kN;
        const Lanes& q = p[v];
        const auto walkingI = hn::RebindMask(di, q.walking);
        hn::Store(hn::IfThenElse(q.walking, q.zr, q.heldR), d, l.zr + i);
        hn::Store(hn::IfThenElse(q.walking, q.zi, q.heldI), d, l.zi + i);
        hn::Store(hn::IfThenElse(walkingI, q.m, q.heldM), di, l.m + i);
        hn::Store(hn::IfThenElse(walkingI, q.n, q.heldN), di, l.n + i);
        hn::Store(hn::IfThenElse(walkingI, q.passes, q.heldPasses), di, l.passes + i);
        hn::Store(q.hold, di, l.hold + i);
    }
}

}  // namespace HWY_NAMESPACE
}  // namespace morvale
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace morvale {

HWY_EXPORT(StepWalkLanesImpl);

void StepWalkLanes(WalkLanes& lanes, int maxSteps, int holdAt) {
    HWY_DYNAMIC_DISPATCH(StepWalkLanesImpl)(lanes, maxSteps, holdAt);
}

}  // namespace morvale
#endif
