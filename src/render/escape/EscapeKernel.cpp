// Compiled once per instruction set; the best one for the running machine is chosen at run time.
// Every operation is a separate multiply or add in the plain loop's order (never fused), so each
// lane computes exactly the iterates of the scalar loop.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "render/escape/EscapeKernel.cpp"
#include "render/escape/EscapeKernel.h"

#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include <algorithm>
#include <cstdint>
#include <limits>

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

constexpr int kSlots = 4;  // independent vectors in flight: hides the long loop-carried chain
constexpr int kBlock = 8;  // iterations between checks for finished lanes and cycles
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One vector of points. The iterate z is one step ahead of the count: k iterates have passed the
// bound test and z is the next one, not yet tested. This lets one pair of squares serve both the
// test of z and the step from it, and keeps few values in registers.
struct Points {
    V zr, zi, cr, ci;
    V mEscape;         // squared modulus of the last iterate tested while the lane was inside
    V savedR, savedI;  // cycle snapshot
    VI k;              // iterates that stayed within the bound
    M inside;          // every iterate so far stayed within the bound
};

// Tests z (m = zr·zr + zi·zi against the bound), then steps: zi = 2·zr·zi + ci,
// zr = zr·zr − zi·zi + cr, each product and sum rounded on its own as the plain loop does.
template <bool kKeepModulus>
HWY_INLINE void Iterate(Points& p, V bound) {
    const DI di;
    const V zr2 = hn::Mul(p.zr, p.zr);
    const V zi2 = hn::Mul(p.zi, p.zi);
    const V m = hn::Add(zr2, zi2);
    if constexpr (kKeepModulus) p.mEscape = hn::IfThenElse(p.inside, m, p.mEscape);
    p.inside = hn::And(p.inside, hn::Le(m, bound));  // not-a-number escapes too
    p.k = hn::Sub(p.k, hn::VecFromMask(di, hn::RebindMask(di, p.inside)));
    const V twoZr = hn::Add(p.zr, p.zr);  // exactly 2.0 * zr
    p.zi = hn::Add(hn::Mul(twoZr, p.zi), p.ci);
    p.zr = hn::Add(hn::Sub(zr2, zi2), p.cr);
}

// The first step from the start value, which the plain loop does not test.
HWY_INLINE void FirstStep(Points& p) {
    const V zr2 = hn::Mul(p.zr, p.zr);
    const V zi2 = hn::Mul(p.zi, p.zi);
    const V twoZr = hn::Add(p.zr, p.zr);
    p.zi = hn::Add(hn::Mul(twoZr, p.zi), p.ci);
    p.zr = hn::Add(hn::Sub(zr2, zi2), p.cr);
}

template <bool kKeepModulus>
HWY_INLINE void RunBlock(Points (&p)[kSlots], V bound) {
#pragma GCC unroll 8
    for (int i = 0; i < kBlock; ++i) {
#pragma GCC unroll 8
        for (int s = 0; s < kSlots; ++s) Iterate<kKeepModulus>(p[s], bound);
    }
}

// A lane whose iterate is back at its snapshot repeats itself for ever inside the bound: it never
// escapes. Marks such lanes with kStaysForEver (past any limit). (Equal here may differ from bit
// for bit only in the sign of a zero part, which changes no later modulus.)
HWY_INLINE void TakeCycles(Points& p, VI forEver) {
    const DI di;
    const M cycle = hn::And(p.inside, hn::And(hn::Eq(p.zr, p.savedR), hn::Eq(p.zi, p.savedI)));
    p.k = hn::IfThenElse(hn::RebindMask(di, cycle), forEver, p.k);
    p.inside = hn::AndNot(cycle, p.inside);
}

double SampleRowValue(const EscapeScene& s, int clientRow) {
    return double(clientRow + s.firstSampleRow) * s.stepY + s.yMin;
}

// ---------------------------------------------------------------------------------------------
// Groups: kSlots vectors of neighbouring pixels of one row start together and run until all of
// them are decided.

template <bool kKeepModulus>
void GroupsRow(const EscapeScene& s, const EscapeColouring& colours, int y, Pixel* row,
               EscapeTally& tally) {
    const D d;
    const DI di;
    const int lanes = int(hn::Lanes(d));
    const V bound = hn::Set(d, kEscapeBound);
    const VI forEver = hn::Set(di, kStaysForEver);
    const V rowValue = hn::Set(d, SampleRowValue(s, y));
    const V stepX = hn::Set(d, s.stepX), xMin = hn::Set(d, s.xMin);
    const V columns = hn::Set(d, double(s.columns));
    HWY_ALIGN std::int64_t k[kSlots * (HWY_MAX_BYTES / sizeof(double))];
    HWY_ALIGN double m[kSlots * (HWY_MAX_BYTES / sizeof(double))];

    for (int x0 = 0; x0 < s.columns; x0 += kSlots * lanes) {
        Points p[kSlots];
        for (int g = 0; g < kSlots; ++g) {
            const V column = hn::Iota(d, double(x0 + g * lanes));
            const V x = hn::Add(hn::Mul(column, stepX), xMin);
            if (s.julia) {
                p[g].zr = x;
                p[g].zi = rowValue;
                p[g].cr = hn::Set(d, s.cr);
                p[g].ci = hn::Set(d, s.ci);
            } else {
                p[g].zr = hn::Zero(d);
                p[g].zi = hn::Zero(d);
                p[g].cr = x;
                p[g].ci = rowValue;
            }
            FirstStep(p[g]);
            p[g].mEscape = hn::Zero(d);
            p[g].savedR = p[g].savedI = hn::Set(d, kNaN);
            p[g].k = hn::Zero(di);
            p[g].inside = hn::Lt(column, columns);
        }
        // Every lane still inside has run exactly n iterations.
        std::int64_t n = 0, nextSave = kBlock;
        for (;;) {
            RunBlock<kKeepModulus>(p, bound);
            n += kBlock;
            bool anyInside = false;
            for (int g = 0; g < kSlots; ++g) {
                TakeCycles(p[g], forEver);
                anyInside |= !hn::AllFalse(d, p[g].inside);
            }
            if (!anyInside || n >= s.limit) break;
            if (n == nextSave) {
                for (auto& points : p) {
                    points.savedR = points.zr;
                    points.savedI = points.zi;
                }
                nextSave *= 2;
            }
        }
        for (int g = 0; g < kSlots; ++g) {
            hn::Store(p[g].k, di, k + g * lanes);
            if constexpr (kKeepModulus) hn::Store(p[g].mEscape, d, m + g * lanes);
        }
        const int count = std::min(kSlots * lanes, s.columns - x0);
        for (int i = 0; i < count; ++i)
            EmitEscapePixel(colours, s.limit, k[i], kKeepModulus ? m[i] : 0.0, row + x0 + i, tally);
        tally.pixels += count;
    }
}

template <bool kKeepModulus>
void GroupsRows(const EscapeScene& s, const EscapeColouring& colours, int rowBegin, int rowEnd,
                const PixelSurface& surface, EscapeTally& tally) {
    for (int y = rowBegin; y < rowEnd && !StopRequested(s); ++y)
        GroupsRow<kKeepModulus>(s, colours, y, surface.Row(y), tally);
}

// Refill: every lane takes the band's next pixel as soon as its own is decided, so a point that
// runs long holds up no other. Lanes are swapped a few at a time: each swap costs a round trip
// through memory, worth it only once enough lanes of a vector wait.

template <bool kKeepModulus>
class RefillBand {
public:
    RefillBand(const EscapeScene& s, const EscapeColouring& colours, int rowBegin, int rowEnd,
               const PixelSurface& surface)
        : s_(s), colours_(colours), rowEnd_(rowEnd), surface_(surface), nextY_(rowBegin) {}

    EscapeTally Run() {
        const D d;
        const DI di;
        const std::size_t lanes = hn::Lanes(d);
        const std::size_t swapAt = std::max<std::size_t>(1, lanes / 2);
        const V bound = hn::Set(d, kEscapeBound);
        const VI limit = hn::Set(di, s_.limit);
        const VI forEver = hn::Set(di, kStaysForEver);
        Points p[kSlots];
        VI nextSave[kSlots];
        for (int g = 0; g < kSlots; ++g) {
            p[g].zr = p[g].zi = p[g].cr = p[g].ci = p[g].mEscape = hn::Zero(d);
            p[g].savedR = p[g].savedI = hn::Set(d, kNaN);
            p[g].k = nextSave[g] = hn::Zero(di);
            p[g].inside = hn::FirstN(d, 0);
            Swap(g, p[g], nextSave[g], hn::FirstN(d, lanes));
        }
        for (unsigned blocks = 1; busy_ > 0; ++blocks) {
            // Deep limits keep a pixel for seconds: look for a stop request now and then.
            if (blocks % kBlocksPerStopCheck == 0 && StopRequested(s_)) break;
            RunBlock<kKeepModulus>(p, bound);
            for (int g = 0; g < kSlots; ++g) {
                Points& points = p[g];
                points.inside = hn::And(points.inside, hn::RebindMask(d, hn::Lt(points.k, limit)));
                TakeCycles(points, forEver);
                const M save =
                    hn::AndNot(hn::RebindMask(d, hn::Lt(points.k, nextSave[g])), points.inside);
                points.savedR = hn::IfThenElse(save, points.zr, points.savedR);
                points.savedI = hn::IfThenElse(save, points.zi, points.savedI);
                nextSave[g] = hn::IfThenElse(hn::RebindMask(di, save),
                                             hn::Add(nextSave[g], nextSave[g]), nextSave[g]);
                const M done = hn::AndNot(points.inside, occupied_[g]);
                const std::size_t count = hn::CountTrue(d, done);
                if (count >= swapAt || (count > 0 && hn::AllFalse(d, points.inside)))
                    Swap(g, points, nextSave[g], done);
            }
        }
        return tally_;
    }

private:
    static constexpr std::size_t kMaxLanes = HWY_MAX_BYTES / sizeof(double);
    static constexpr unsigned kBlocksPerStopCheck = 4096;  // well under a millisecond

    // Writes the decided lanes' pixels and loads the band's next pixels into them; lanes left
    // without a pixel idle at z = 0, c = 0.
    HWY_INLINE void Swap(int g, Points& p, VI& nextSave, M done) {
        const D d;
        const DI di;
        const std::size_t lanes = hn::Lanes(d);
        HWY_ALIGN std::int64_t k[kMaxLanes];
        HWY_ALIGN double m[kMaxLanes];
        HWY_ALIGN double column[kMaxLanes] = {};
        HWY_ALIGN double row[kMaxLanes] = {};
        HWY_ALIGN std::int64_t fresh[kMaxLanes] = {};
        hn::Store(p.k, di, k);
        if constexpr (kKeepModulus) hn::Store(p.mEscape, d, m);
        std::uint8_t doneBits[8] = {};
        hn::StoreMaskBits(d, done, doneBits);
        for (std::size_t i = 0; i < lanes; ++i) {
            if (!((doneBits[i / 8] >> (i % 8)) & 1)) continue;
            if (Pixel* out = pixel_[g][i]) {
                EmitEscapePixel(colours_, s_.limit, k[i], kKeepModulus ? m[i] : 0.0, out, tally_);
                ++tally_.pixels;
                --busy_;
            }
            pixel_[g][i] = nullptr;
            if (nextY_ >= rowEnd_) continue;
            pixel_[g][i] = surface_.Row(nextY_) + nextX_;
            column[i] = double(nextX_);
            row[i] = SampleRowValue(s_, nextY_);
            fresh[i] = -1;
            ++busy_;
            if (++nextX_ >= s_.columns) {
                nextX_ = 0;
                ++nextY_;
            }
        }
        const M start = hn::RebindMask(d, hn::Lt(hn::Load(di, fresh), hn::Zero(di)));
        const V x =
            hn::Add(hn::Mul(hn::Load(d, column), hn::Set(d, s_.stepX)), hn::Set(d, s_.xMin));
        const V y = hn::Load(d, row);
        Points q;
        if (s_.julia) {
            q.zr = x;
            q.zi = y;
            q.cr = hn::Set(d, s_.cr);
            q.ci = hn::Set(d, s_.ci);
        } else {
            q.zr = q.zi = hn::Zero(d);
            q.cr = x;
            q.ci = y;
        }
        FirstStep(q);
        // Lanes done and not restarted take zeros: an idle lane stays at 0 for ever.
        p.zr = hn::IfThenElse(done, hn::IfThenElseZero(start, q.zr), p.zr);
        p.zi = hn::IfThenElse(done, hn::IfThenElseZero(start, q.zi), p.zi);
        p.cr = hn::IfThenElse(done, hn::IfThenElseZero(start, q.cr), p.cr);
        p.ci = hn::IfThenElse(done, hn::IfThenElseZero(start, q.ci), p.ci);
        p.mEscape = hn::IfThenElse(done, hn::Zero(d), p.mEscape);
        p.savedR = hn::IfThenElse(done, hn::Set(d, kNaN), p.savedR);
        p.savedI = hn::IfThenElse(done, hn::Set(d, kNaN), p.savedI);
        const auto doneI = hn::RebindMask(di, done);
        p.k = hn::IfThenElse(doneI, hn::Zero(di), p.k);
        nextSave = hn::IfThenElse(doneI, hn::Set(di, kBlock), nextSave);
        p.inside = hn::Or(p.inside, start);
        occupied_[g] = hn::Or(hn::AndNot(done, occupied_[g]), start);
    }

    const EscapeScene& s_;
    const EscapeColouring& colours_;
    int rowEnd_;
    PixelSurface surface_;
    int nextX_ = 0;  // the next pixel to start
    int nextY_;
    std::int64_t busy_ = 0;  // lanes holding a pixel
    Pixel* pixel_[kSlots][kMaxLanes] = {};
    M occupied_[kSlots] = {};
    EscapeTally tally_;
};

}  // namespace

void ComputeEscapeRowsImpl(const EscapeScene& scene, const EscapeColouring& colours, int rowBegin,
                           int rowEnd, const PixelSurface& surface, EscapeStrategy strategy,
                           EscapeTally* tally) {
    const bool keepModulus = colours.series == kLastSeries;
    if (strategy == EscapeStrategy::Refill) {
        *tally += keepModulus ? RefillBand<true>(scene, colours, rowBegin, rowEnd, surface).Run()
                              : RefillBand<false>(scene, colours, rowBegin, rowEnd, surface).Run();
    } else if (keepModulus) {
        GroupsRows<true>(scene, colours, rowBegin, rowEnd, surface, *tally);
    } else {
        GroupsRows<false>(scene, colours, rowBegin, rowEnd, surface, *tally);
    }
}

const char* KernelTargetImpl() {
    return hwy::TargetName(HWY_TARGET);
}

}  // namespace HWY_NAMESPACE
}  // namespace morvale
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace morvale {

HWY_EXPORT(ComputeEscapeRowsImpl);
HWY_EXPORT(KernelTargetImpl);

namespace {

// Measured: below this limit the slowest point of a group rarely holds the rest up for long, and
// groups, with less bookkeeping, are faster; above it (deep interiors) refilling wins.
constexpr int kRefillFromLimit = 10000;
}  // namespace

EscapeTally ComputeEscapeRows(const EscapeScene& scene, const EscapeColouring& colours,
                              int rowBegin, int rowEnd, const PixelSurface& surface,
                              EscapeStrategy strategy) {
    EscapeTally tally;
    if (rowBegin >= rowEnd || scene.columns <= 0 || scene.limit <= 0) return tally;
    if (strategy == EscapeStrategy::Automatic)
        strategy =
            scene.limit >= kRefillFromLimit ? EscapeStrategy::Refill : EscapeStrategy::Groups;
    HWY_DYNAMIC_DISPATCH(ComputeEscapeRowsImpl)
    (scene, colours, rowBegin, rowEnd, surface, strategy, &tally);
    return tally;
}

const char* EscapeKernelTarget() {
    return HWY_DYNAMIC_DISPATCH(KernelTargetImpl)();
}

}  // namespace morvale
#endif
