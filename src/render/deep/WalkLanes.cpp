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

constexpr size_t kN = hn::MaxLanes(D());
constexpr size_t kVectors = WalkLanes::kCount / kN;

// One vector of lanes, kept in registers while they walk. Lanes that stopped walking step on
// with the rest, so that no step waits for the tests of the one before, and keep their state
// aside. Z is the orbit's entry m.
struct Lanes {
    V zr, zi, bigR, bigI;
    VI m, budget;
    M walking;
    V heldR, heldI;
    VI heldM, hold;
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

// Whether a lane's next pass takes an approximated run: one starts at its entry and reaches past
// |z|² = size. The budget keeps the run within the table and the limit.
M TakesRun(const WalkLanes& l, size_t i, VI m, V size) {
    const D d;
    const DI di;
    const VI from = hn::Sub(m, Int(1));
    const M candidate = hn::And(FromInt(hn::Eq(hn::And(from, Int(kRunMask)), Int(0))),
                                hn::Lt(size, hn::Load(d, l.reach2 + i)));
    if (hn::AllFalse(d, candidate)) return candidate;
    // Lanes that are no candidate read their first run, which is always there.
    const VI j = hn::IfThenElseZero(hn::RebindMask(di, candidate), hn::ShiftRight<kFirst>(from));
    const VI at = hn::Add(hn::Load(di, l.runBase + i),
                          hn::Add(hn::Sub(hn::ShiftLeft<3>(j), j), Int(kRunReach)));
    return hn::And(candidate, hn::Lt(size, hn::GatherIndex(d, l.runs, at)));
}

// One plain step of every lane.
HWY_INLINE void Step(const WalkLanes& l, size_t i, Lanes& p) {
    const D d;
    const DI di;
    const V tr = hn::Add(hn::Add(p.bigR, p.bigR), p.zr);
    const V ti = hn::Add(hn::Add(p.bigI, p.bigI), p.zi);
    const V zr = hn::Add(hn::Sub(hn::Mul(tr, p.zr), hn::Mul(ti, p.zi)), hn::Load(d, l.cr + i));
    p.zi = hn::Add(hn::Add(hn::Mul(tr, p.zi), hn::Mul(ti, p.zr)), hn::Load(d, l.ci + i));
    p.zr = zr;
    const VI last = hn::Load(di, l.last + i);
    p.m = hn::Min(hn::Add(p.m, Int(1)), last);
    p.budget = hn::Sub(p.budget, Int(1));
    p.bigR = Entry(l, i, p.m, 0);
    p.bigI = Entry(l, i, p.m, 1);
    const V fr = hn::Add(p.bigR, p.zr), fi = hn::Add(p.bigI, p.zi);
    const V magnitude = hn::Add(hn::Mul(fr, fr), hn::Mul(fi, fi));
    const V size = hn::Add(hn::Mul(p.zr, p.zr), hn::Mul(p.zi, p.zi));
    // After its step the walk ends, rebases or goes wide.
    const M landed = hn::Or(
        hn::Or(hn::Not(hn::Le(magnitude, hn::Set(d, kEscapeBound))), hn::Lt(magnitude, size)),
        hn::Or(FromInt(hn::Eq(p.m, last)),
               hn::And(hn::Lt(size, hn::Set(d, kNarrowNorm)), hn::Gt(size, hn::Zero(d)))));
    const M waits = hn::Or(FromInt(hn::Eq(p.budget, Int(0))), TakesRun(l, i, p.m, size));
    const M stops = hn::And(p.walking, hn::Or(landed, waits));
    if (hn::AllFalse(d, stops)) return;
    const auto stopsI = hn::RebindMask(di, stops);
    p.heldR = hn::IfThenElse(stops, p.zr, p.heldR);
    p.heldI = hn::IfThenElse(stops, p.zi, p.heldI);
    p.heldM = hn::IfThenElse(stopsI, p.m, p.heldM);
    p.hold = hn::IfThenElse(stopsI,
                            hn::IfThenElse(hn::RebindMask(di, landed), Int(WalkLanes::kLanded),
                                           Int(WalkLanes::kWaiting)),
                            p.hold);
    p.walking = hn::AndNot(stops, p.walking);
}

}  // namespace

void StepWalkLanesImpl(WalkLanes& l, int maxSteps, int holdAt) {
    const D d;
    const DI di;
    Lanes p[kVectors];
    for (size_t v = 0; v < kVectors; ++v) {
        const size_t i = v * kN;
        Lanes& q = p[v];
        q.zr = q.heldR = hn::Load(d, l.zr + i);
        q.zi = q.heldI = hn::Load(d, l.zi + i);
        q.m = q.heldM = hn::Load(di, l.m + i);
        q.budget = hn::Load(di, l.budget + i);
        q.hold = hn::Load(di, l.hold + i);
        q.walking = FromInt(hn::Eq(q.hold, Int(WalkLanes::kWalking)));
        q.bigR = Entry(l, i, q.m, 0);
        q.bigI = Entry(l, i, q.m, 1);
    }
    const auto held = [&] {
        size_t count = 0;
        for (size_t v = 0; v < kVectors; ++v) count += kN - hn::CountTrue(d, p[v].walking);
        return count;
    };
    for (int s = 0; s < maxSteps && held() < size_t(holdAt); ++s)
        for (size_t v = 0; v < kVectors; ++v) Step(l, v * kN, p[v]);
    for (size_t v = 0; v < kVectors; ++v) {
        const size_t i = v * kN;
        const Lanes& q = p[v];
        hn::Store(hn::IfThenElse(q.walking, q.zr, q.heldR), d, l.zr + i);
        hn::Store(hn::IfThenElse(q.walking, q.zi, q.heldI), d, l.zi + i);
        hn::Store(hn::IfThenElse(hn::RebindMask(di, q.walking), q.m, q.heldM), di, l.m + i);
        hn::Store(q.budget, di, l.budget + i);
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
