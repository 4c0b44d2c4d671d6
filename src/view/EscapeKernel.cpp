// Compiled once per instruction set; the best one for the running machine is chosen at run time.
// Every operation is a separate multiply or add in the plain loop's order (never fused), so each
// lane computes exactly the iterates of the scalar loop.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "view/EscapeKernel.cpp"
#include "view/EscapeKernel.h"

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

constexpr int kSlots = 3;  // independent vectors in flight: hides the long loop-carried chain
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
// escapes. Marks such lanes as run to the limit. (Equal here may differ from bit for bit only in
// the sign of a zero part, which changes no later modulus.)
HWY_INLINE void TakeCycles(Points& p, VI limit) {
    const DI di;
    const M cycle = hn::And(p.inside, hn::And(hn::Eq(p.zr, p.savedR), hn::Eq(p.zi, p.savedI)));
    p.k = hn::IfThenElse(hn::RebindMask(di, cycle), limit, p.k);
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
    const VI limit = hn::Set(di, s.limit);
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
                TakeCycles(p[g], limit);
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
            tally.iterations +=
                EmitEscapePixel(colours, s.limit, k[i], kKeepModulus ? m[i] : 0.0, row + x0 + i);
        tally.pixels += count;
    }
}

template <bool kKeepModulus>
void GroupsRows(const EscapeScene& s, const EscapeColouring& colours, int rowBegin, int rowEnd,
                const PixelSurface& surface, EscapeTally& tally) {
    for (int y = rowBegin; y < rowEnd; ++y)
        GroupsRow<kKeepModulus>(s, colours, y, surface.Row(y), tally);
}

// Refill: each slot works through the band's runs of neighbouring pixels on its own and takes
// the next run as soon as its own points are decided, so a slow run holds up no other slot.

template <bool kKeepModulus>
class RefillBand {
public:
    RefillBand(const EscapeScene& s, const EscapeColouring& colours, int rowBegin, int rowEnd,
               const PixelSurface& surface)
        : s_(s), colours_(colours), rowEnd_(rowEnd), surface_(surface), nextY_(rowBegin) {}

    EscapeTally Run() {
        const D d;
        const DI di;
        const V bound = hn::Set(d, kEscapeBound);
        const VI limit = hn::Set(di, s_.limit);
        Points p[kSlots];
        Span runs[kSlots];
        int busy = 0;
        for (int g = 0; g < kSlots; ++g) busy += Start(p[g], runs[g]);
        while (busy > 0) {
            RunBlock<kKeepModulus>(p, bound);
            for (int g = 0; g < kSlots; ++g) {
                Span& run = runs[g];
                if (!run.pixels) continue;
                run.n += kBlock;
                TakeCycles(p[g], limit);
                if (hn::AllFalse(d, p[g].inside) || run.n >= s_.limit) {
                    Emit(p[g], run);
                    busy += Start(p[g], run) - 1;
                } else if (run.n == run.nextSave) {
                    p[g].savedR = p[g].zr;
                    p[g].savedI = p[g].zi;
                    run.nextSave *= 2;
                }
            }
        }
        return tally_;
    }

private:
    // Neighbouring pixels of one row in the lanes of one slot.
    struct Span {
        Pixel* pixels = nullptr;  // null: the slot is idle
        int count = 0;            // lanes holding a visible pixel
        std::int64_t n = 0;       // iterations run; every lane still inside has counted them all
        std::int64_t nextSave = kBlock;
    };

    // Loads the next run of the band into the slot; returns 0 when the band is used up.
    HWY_INLINE int Start(Points& p, Span& run) {
        const D d;
        const DI di;
        const int lanes = int(hn::Lanes(d));
        if (nextY_ >= rowEnd_) {
            // Idle: spins harmlessly at z = 0, c = 0 until the other slots are done.
            run.pixels = nullptr;
            p.zr = p.zi = p.cr = p.ci = p.mEscape = hn::Zero(d);
            p.savedR = p.savedI = hn::Set(d, kNaN);
            p.k = hn::Zero(di);
            p.inside = hn::FirstN(d, 0);
            return 0;
        }
        const V column = hn::Iota(d, double(nextX_));
        const V x = hn::Add(hn::Mul(column, hn::Set(d, s_.stepX)), hn::Set(d, s_.xMin));
        const V y = hn::Set(d, SampleRowValue(s_, nextY_));
        if (s_.julia) {
            p.zr = x;
            p.zi = y;
            p.cr = hn::Set(d, s_.cr);
            p.ci = hn::Set(d, s_.ci);
        } else {
            p.zr = hn::Zero(d);
            p.zi = hn::Zero(d);
            p.cr = x;
            p.ci = y;
        }
        FirstStep(p);
        p.mEscape = hn::Zero(d);
        p.savedR = p.savedI = hn::Set(d, kNaN);
        p.k = hn::Zero(di);
        run.count = std::min(lanes, s_.columns - nextX_);
        p.inside = hn::FirstN(d, std::size_t(run.count));
        run.pixels = surface_.Row(nextY_) + nextX_;
        run.n = 0;
        run.nextSave = kBlock;
        nextX_ += lanes;
        if (nextX_ >= s_.columns) {
            nextX_ = 0;
            ++nextY_;
        }
        return 1;
    }

    HWY_INLINE void Emit(const Points& p, const Span& run) {
        const D d;
        const DI di;
        HWY_ALIGN std::int64_t k[HWY_MAX_BYTES / sizeof(double)];
        HWY_ALIGN double m[HWY_MAX_BYTES / sizeof(double)];
        hn::Store(p.k, di, k);
        if constexpr (kKeepModulus) hn::Store(p.mEscape, d, m);
        for (int i = 0; i < run.count; ++i)
            tally_.iterations += EmitEscapePixel(colours_, s_.limit, k[i],
                                                 kKeepModulus ? m[i] : 0.0, run.pixels + i);
        tally_.pixels += run.count;
    }

    const EscapeScene& s_;
    const EscapeColouring& colours_;
    int rowEnd_;
    PixelSurface surface_;
    int nextX_ = 0;  // the next run to start
    int nextY_;
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
