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

constexpr int kSlots = 4;  // independent vectors in flight: hides the long loop-carried chain
constexpr int kBlock = 8;  // iterations between checks for finished lanes and cycles
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Never reached by a lane's count: such a lane neither takes a cycle snapshot nor finishes.
constexpr std::int64_t kIdleCount = std::numeric_limits<std::int64_t>::min() / 4;
constexpr std::int64_t kNeverSave = std::numeric_limits<std::int64_t>::max() / 4;

// One vector of points. zr2/zi2 are the squares of the current iterate (shared with m).
struct Points {
    V zr, zi, zr2, zi2, cr, ci;
    V mEscape;         // squared modulus of the last iteration run while the lane was inside
    V savedR, savedI;  // cycle snapshot
    VI k;              // iterations that stayed within the bound
    VI nextSave;       // count at which the next snapshot is taken
    M inside;          // still iterating: has not escaped
};

// One iteration: t = zr·zr − zi·zi + cr; zi = 2·zr·zi + ci; zr = t; m = zr·zr + zi·zi.
template <bool kKeepModulus>
HWY_INLINE void Iterate(Points& p, V bound) {
    const DI di;
    const V twoZr = hn::Add(p.zr, p.zr);  // exactly 2.0 * zr
    p.zi = hn::Add(hn::Mul(twoZr, p.zi), p.ci);
    p.zr = hn::Add(hn::Sub(p.zr2, p.zi2), p.cr);
    p.zr2 = hn::Mul(p.zr, p.zr);
    p.zi2 = hn::Mul(p.zi, p.zi);
    const V m = hn::Add(p.zr2, p.zi2);
    if constexpr (kKeepModulus) p.mEscape = hn::IfThenElse(p.inside, m, p.mEscape);
    p.inside = hn::And(p.inside, hn::Le(m, bound));  // not-a-number escapes too
    p.k = hn::Sub(p.k, hn::VecFromMask(di, hn::RebindMask(di, p.inside)));
}

template <bool kKeepModulus>
HWY_INLINE void IterateBlock(Points (&p)[kSlots], V bound) {
    for (int i = 0; i < kBlock; ++i) {
#pragma GCC unroll 8
        for (int s = 0; s < kSlots; ++s) Iterate<kKeepModulus>(p[s], bound);
    }
}

// A lane whose iterate is back at its snapshot, bit for bit, repeats itself for ever inside the
// bound: it never escapes. Marks such lanes as run to the limit.
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
// Groups: kSlots vectors of neighbouring pixels of one row run until all of them are decided.

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
            p[g].zr2 = hn::Mul(p[g].zr, p[g].zr);
            p[g].zi2 = hn::Mul(p[g].zi, p[g].zi);
            p[g].mEscape = hn::Zero(d);
            p[g].savedR = p[g].savedI = hn::Set(d, kNaN);
            p[g].k = hn::Zero(di);
            p[g].inside = hn::Lt(column, columns);
        }
        // Every lane still inside has run exactly n iterations.
        std::int64_t n = 0, nextSave = kBlock;
        for (;;) {
            IterateBlock<kKeepModulus>(p, bound);
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

// ---------------------------------------------------------------------------------------------
// Refill: every lane works through the band's pixels on its own; a decided lane is emptied and
// given the next pixel at the following check.

struct LaneImage {
    static constexpr int kMax = kSlots * (HWY_MAX_BYTES / sizeof(double));
    HWY_ALIGN double zr[kMax], zi[kMax], zr2[kMax], zi2[kMax], cr[kMax], ci[kMax];
    HWY_ALIGN double mEscape[kMax], savedR[kMax], savedI[kMax];
    HWY_ALIGN std::int64_t k[kMax], nextSave[kMax], inside[kMax], done[kMax];
    int pixel[kMax];  // band pixel each lane works on, -1 when idle
};

class RefillBand {
public:
    RefillBand(const EscapeScene& s, const EscapeColouring& colours, int rowBegin, int rowEnd,
               const PixelSurface& surface)
        : s_(s),
          colours_(colours),
          rowBegin_(rowBegin),
          surface_(surface),
          total_(std::int64_t(rowEnd - rowBegin) * s.columns) {}

    template <bool kKeepModulus>
    EscapeTally Run() {
        const D d;
        const DI di;
        const V bound = hn::Set(d, kEscapeBound);
        const VI limit = hn::Set(di, s_.limit);
        Points p[kSlots];
        for (int i = 0; i < LaneImage::kMax; ++i) {
            image_.pixel[i] = -1;
            image_.done[i] = -1;
        }
        for (int g = 0; g < kSlots; ++g) {
            Refill<kKeepModulus>(g);
            Load(p[g], g);
        }
        while (live_ > 0) {
            IterateBlock<kKeepModulus>(p, bound);
            for (int g = 0; g < kSlots; ++g) {
                TakeCycles(p[g], limit);
                const M finished = hn::RebindMask(d, hn::Not(hn::Lt(p[g].k, limit)));
                const M done = hn::Or(hn::Not(p[g].inside), finished);
                if (!hn::AllFalse(d, done)) {
                    Unload(p[g], g);
                    hn::Store(hn::VecFromMask(di, hn::RebindMask(di, done)), di,
                              image_.done + g * Lanes());
                    Refill<kKeepModulus>(g);
                    Load(p[g], g);
                }
                const M save = hn::RebindMask(d, hn::Not(hn::Lt(p[g].k, p[g].nextSave)));
                p[g].savedR = hn::IfThenElse(save, p[g].zr, p[g].savedR);
                p[g].savedI = hn::IfThenElse(save, p[g].zi, p[g].savedI);
                p[g].nextSave = hn::IfThenElse(
                    hn::RebindMask(di, save), hn::Add(p[g].nextSave, p[g].nextSave), p[g].nextSave);
            }
        }
        return tally_;
    }

private:
    static int Lanes() { return int(hn::Lanes(D())); }

    void Unload(const Points& p, int g) {
        const D d;
        const DI di;
        const int o = g * Lanes();
        hn::Store(p.zr, d, image_.zr + o);
        hn::Store(p.zi, d, image_.zi + o);
        hn::Store(p.zr2, d, image_.zr2 + o);
        hn::Store(p.zi2, d, image_.zi2 + o);
        hn::Store(p.cr, d, image_.cr + o);
        hn::Store(p.ci, d, image_.ci + o);
        hn::Store(p.mEscape, d, image_.mEscape + o);
        hn::Store(p.savedR, d, image_.savedR + o);
        hn::Store(p.savedI, d, image_.savedI + o);
        hn::Store(p.k, di, image_.k + o);
        hn::Store(p.nextSave, di, image_.nextSave + o);
        hn::Store(hn::VecFromMask(di, hn::RebindMask(di, p.inside)), di, image_.inside + o);
    }

    void Load(Points& p, int g) const {
        const D d;
        const DI di;
        const int o = g * Lanes();
        p.zr = hn::Load(d, image_.zr + o);
        p.zi = hn::Load(d, image_.zi + o);
        p.zr2 = hn::Load(d, image_.zr2 + o);
        p.zi2 = hn::Load(d, image_.zi2 + o);
        p.cr = hn::Load(d, image_.cr + o);
        p.ci = hn::Load(d, image_.ci + o);
        p.mEscape = hn::Load(d, image_.mEscape + o);
        p.savedR = hn::Load(d, image_.savedR + o);
        p.savedI = hn::Load(d, image_.savedI + o);
        p.k = hn::Load(di, image_.k + o);
        p.nextSave = hn::Load(di, image_.nextSave + o);
        p.inside = hn::RebindMask(d, hn::Ne(hn::Load(di, image_.inside + o), hn::Zero(di)));
    }

    template <bool kKeepModulus>
    void Refill(int g) {
        for (int i = g * Lanes(); i < (g + 1) * Lanes(); ++i) {
            if (!image_.done[i]) continue;
            if (image_.pixel[i] >= 0) {
                tally_.iterations += EmitEscapePixel(colours_, s_.limit, image_.k[i],
                                                     kKeepModulus ? image_.mEscape[i] : 0.0,
                                                     PixelAt(image_.pixel[i]));
                ++tally_.pixels;
                --live_;
            }
            if (next_ < total_)
                Start(i, next_++);
            else
                Idle(i);
        }
    }

    Pixel* PixelAt(std::int64_t index) const {
        const int y = rowBegin_ + int(index / s_.columns);
        return surface_.Row(y) + index % s_.columns;
    }

    void Start(int i, std::int64_t index) {
        const int y = rowBegin_ + int(index / s_.columns);
        const int x = int(index % s_.columns);
        const double planeX = double(x) * s_.stepX + s_.xMin;
        const double planeY = SampleRowValue(s_, y);
        if (s_.julia) {
            Set(i, planeX, planeY, s_.cr, s_.ci);
        } else {
            Set(i, 0.0, 0.0, planeX, planeY);
        }
        image_.k[i] = 0;
        image_.nextSave[i] = kBlock;
        image_.inside[i] = -1;
        image_.pixel[i] = int(index);
        ++live_;
    }

    // An idle lane spins at z = 0, c = 0: it stays inside, never counts up to the limit and never
    // matches its snapshot.
    void Idle(int i) {
        Set(i, 0.0, 0.0, 0.0, 0.0);
        image_.k[i] = kIdleCount;
        image_.nextSave[i] = kNeverSave;
        image_.inside[i] = -1;
        image_.pixel[i] = -1;
    }

    void Set(int i, double zr, double zi, double cr, double ci) {
        image_.zr[i] = zr;
        image_.zi[i] = zi;
        image_.zr2[i] = zr * zr;
        image_.zi2[i] = zi * zi;
        image_.cr[i] = cr;
        image_.ci[i] = ci;
        image_.mEscape[i] = 0.0;
        image_.savedR[i] = kNaN;
        image_.savedI[i] = kNaN;
    }

    const EscapeScene& s_;
    const EscapeColouring& colours_;
    int rowBegin_;
    PixelSurface surface_;
    std::int64_t total_;
    std::int64_t next_ = 0;
    std::int64_t live_ = 0;
    EscapeTally tally_;
    LaneImage image_;
};

}  // namespace

void ComputeEscapeRowsImpl(const EscapeScene& scene, const EscapeColouring& colours, int rowBegin,
                           int rowEnd, const PixelSurface& surface, EscapeStrategy strategy,
                           EscapeTally* tally) {
    const bool keepModulus = colours.series == kLastSeries;
    if (strategy == EscapeStrategy::Refill) {
        RefillBand band(scene, colours, rowBegin, rowEnd, surface);
        *tally += keepModulus ? band.Run<true>() : band.Run<false>();
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
// Refilling lanes pays its bookkeeping back only where points run long.
constexpr int kRefillFromLimit = 256;
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
