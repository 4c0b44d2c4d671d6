// Compiled once per instruction set; the best one for the running machine is chosen at run time.
// Each product and sum is rounded on its own, in the walk's order (never fused), so a lane's
// iterates are bit for bit those of the pixel's own walk.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/deep/WalkLanes.cpp"
#include "render/deep/WalkLanes.h"

#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstddef>

#include "render/deep/BlaTable.h"
#include "render/deep/ReferenceOrbit.h"
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
// Entries a lane reads at once. Two gathers a step cost more than loading each lane's next
// entries whole and transposing them.
#if HWY_TARGET == HWY_AVX3 || HWY_TARGET == HWY_AVX3_DL
constexpr size_t kWindow = 2;  // half a vector: see Ahead
#else
constexpr size_t kWindow = kN > 1 ? kN / 2 : 1;
#endif
static_assert(std::int64_t(kWindow) - 1 <= ReferenceOrbit::kSpare);

// One vector of lanes, kept in registers while they walk. Lanes that stopped walking step on
// with the rest, so that no step waits for the tests of the one before, and keep their state
// aside. Z is the orbit's entry m.
struct Lanes {
    V zr, zi, bigR, bigI;
    VI m, left;  // steps before the budget or the orbit's last entry runs out
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

// Every lane's entries for kWindow steps.
struct Window {
    V re[kWindow], im[kWindow];
};

// Lane k's entries from s steps after the call's start on. Past its last entry a lane reads the
// copies of it that follow, as if its entry stayed at the last.
const double* Row(const WalkLanes& l, size_t k, std::int64_t s) {
    return l.orbit + l.base[k] + 2 * std::min(l.m[k] + s, l.last[k]);
}

Window Ahead(const WalkLanes& l, size_t i, std::int64_t s) {
    Window w;
#if HWY_TARGET == HWY_AVX3 || HWY_TARGET == HWY_AVX3_DL
    // Lanes k and k + 2 share a row of two entries each: interleaving rows 0 and 1 puts real
    // and imaginary parts of lanes 0 to 3 in alternate blocks, and a block shuffle with those
    // of lanes 4 to 7 orders them.
    static_assert(kN == 8);
    const hn::Half<D> dh;
    auto pair = [&](size_t k) {
        return hn::Combine(D(), hn::LoadU(dh, Row(l, i + k + 2, s)),
                           hn::LoadU(dh, Row(l, i + k, s)));
    };
    const V r0 = pair(0), r1 = pair(1), r2 = pair(4), r3 = pair(5);
    const V lowRe = hn::InterleaveLower(r0, r1), lowIm = hn::InterleaveUpper(D(), r0, r1);
    const V highRe = hn::InterleaveLower(r2, r3), highIm = hn::InterleaveUpper(D(), r2, r3);
    w.re[0] = V{_mm512_shuffle_f64x2(lowRe.raw, highRe.raw, 0x88)};
    w.re[1] = V{_mm512_shuffle_f64x2(lowRe.raw, highRe.raw, 0xDD)};
    w.im[0] = V{_mm512_shuffle_f64x2(lowIm.raw, highIm.raw, 0x88)};
    w.im[1] = V{_mm512_shuffle_f64x2(lowIm.raw, highIm.raw, 0xDD)};
#elif HWY_TARGET == HWY_SCALAR
    w.re[0] = hn::Set(D(), Row(l, i, s)[0]);
    w.im[0] = hn::Set(D(), Row(l, i, s)[1]);
#else
    const D d;
    V rows[kN];
    for (size_t k = 0; k < kN; ++k) rows[k] = hn::LoadU(d, Row(l, i + k, s));
    // Each round splits pairs of rows into their even and odd parts; after log2(kN) rounds,
    // vector c holds part c of every row.
    for (size_t round = 1; round < kN; round *= 2) {
        V next[kN];
        for (size_t t = 0; t < kN / 2; ++t) {
            next[t] = hn::ConcatEven(d, rows[2 * t + 1], rows[2 * t]);
            next[kN / 2 + t] = hn::ConcatOdd(d, rows[2 * t + 1], rows[2 * t]);
        }
        for (size_t k = 0; k < kN; ++k) rows[k] = next[k];
    }
    for (size_t j = 0; j < kWindow; ++j) {
        w.re[j] = rows[2 * j];
        w.im[j] = rows[2 * j + 1];
    }
#endif
    return w;
}

// Whether a walking lane's next pass takes an approximated run: one starts at its entry and
// reaches past |z|² = size. While budget is left, the run lies within the table and the limit.
M TakesRun(const WalkLanes& l, size_t i, const Lanes& p, V size) {
    const D d;
    const DI di;
    const VI from = hn::Sub(p.m, Int(1));
    M candidate = hn::And(FromInt(hn::Eq(hn::And(from, Int(kRunMask)), Int(0))),
                          hn::Lt(size, hn::Load(d, l.reach2 + i)));
    if (hn::AllFalse(d, candidate)) return candidate;
    // Held lanes step on past their table's end, and a lane out of budget waits anyway.
    candidate = hn::And(candidate, hn::AndNot(FromInt(hn::Eq(p.left, Int(0))), p.walking));
    // Lanes that are no candidate read their first run, which is always there.
    const VI j = hn::IfThenElseZero(hn::RebindMask(di, candidate), hn::ShiftRight<kFirst>(from));
    const VI at = hn::Add(hn::Load(di, l.runBase + i),
                          hn::Add(hn::Sub(hn::ShiftLeft<3>(j), j), Int(kRunReach)));
    return hn::And(candidate, hn::Lt(size, hn::GatherIndex(d, l.runs, at)));
}

// One plain step of every lane; true when a lane stopped walking.
HWY_INLINE bool Step(const WalkLanes& l, size_t i, Lanes& p, V nextR, V nextI) {
    const D d;
    const DI di;
    const V tr = hn::Add(hn::Add(p.bigR, p.bigR), p.zr);
    const V ti = hn::Add(hn::Add(p.bigI, p.bigI), p.zi);
    const V zr = hn::Add(hn::Sub(hn::Mul(tr, p.zr), hn::Mul(ti, p.zi)), hn::Load(d, l.cr + i));
    p.zi = hn::Add(hn::Add(hn::Mul(tr, p.zi), hn::Mul(ti, p.zr)), hn::Load(d, l.ci + i));
    p.zr = zr;
    p.m = hn::Add(p.m, Int(1));
    p.left = hn::Sub(p.left, Int(1));
    p.bigR = nextR;
    p.bigI = nextI;
    const V fr = hn::Add(p.bigR, p.zr), fi = hn::Add(p.bigI, p.zi);
    const V magnitude = hn::Add(hn::Mul(fr, fr), hn::Mul(fi, fi));
    const V size = hn::Add(hn::Mul(p.zr, p.zr), hn::Mul(p.zi, p.zi));
    // After its step the walk ends, rebases (also at the orbit's last entry) or goes wide.
    M landed = hn::Or(
        hn::Or(hn::Not(hn::Le(magnitude, hn::Set(d, kEscapeBound))), hn::Lt(magnitude, size)),
        hn::And(hn::Lt(size, hn::Set(d, kNarrowNorm)), hn::Gt(size, hn::Zero(d))));
    const M waits = hn::Or(FromInt(hn::Eq(p.left, Int(0))), TakesRun(l, i, p, size));
    const M stops = hn::And(p.walking, hn::Or(landed, waits));
    if (hn::AllFalse(d, stops)) return false;
    landed = hn::Or(landed, FromInt(hn::Eq(p.m, hn::Load(di, l.last + i))));
    const auto stopsI = hn::RebindMask(di, stops);
    p.heldR = hn::IfThenElse(stops, p.zr, p.heldR);
    p.heldI = hn::IfThenElse(stops, p.zi, p.heldI);
    p.heldM = hn::IfThenElse(stopsI, p.m, p.heldM);
    p.hold = hn::IfThenElse(stopsI,
                            hn::IfThenElse(hn::RebindMask(di, landed), Int(WalkLanes::kLanded),
                                           Int(WalkLanes::kWaiting)),
                            p.hold);
    p.walking = hn::AndNot(stops, p.walking);
    return true;
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
        q.left = hn::Min(hn::Load(di, l.budget + i), hn::Sub(hn::Load(di, l.last + i), q.m));
        q.hold = hn::Load(di, l.hold + i);
        q.walking = FromInt(hn::Eq(q.hold, Int(WalkLanes::kWalking)));
        const Window now = Ahead(l, i, 0);
        q.bigR = now.re[0];
        q.bigI = now.im[0];
    }
    const auto held = [&] {
        size_t count = 0;
        for (size_t v = 0; v < kVectors; ++v) count += kN - hn::CountTrue(d, p[v].walking);
        return count;
    };
    size_t holding = held();
    for (int s = 0; s < maxSteps && holding < size_t(holdAt);) {
        Window w[kVectors];
        for (size_t v = 0; v < kVectors; ++v) w[v] = Ahead(l, v * kN, s + 1);
        for (size_t j = 0; j < kWindow && s < maxSteps && holding < size_t(holdAt); ++j, ++s) {
            bool stopped = false;
            for (size_t v = 0; v < kVectors; ++v)
                stopped |= Step(l, v * kN, p[v], w[v].re[j], w[v].im[j]);
            if (stopped) holding = held();
        }
    }
    for (size_t v = 0; v < kVectors; ++v) {
        const size_t i = v * kN;
        const Lanes& q = p[v];
        hn::Store(hn::IfThenElse(q.walking, q.zr, q.heldR), d, l.zr + i);
        hn::Store(hn::IfThenElse(q.walking, q.zi, q.heldI), d, l.zi + i);
        hn::Store(hn::IfThenElse(hn::RebindMask(di, q.walking), q.m, q.heldM), di, l.m + i);
        hn::Store(q.left, di, l.budget + i);  // for lanes walking on in the next call
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
