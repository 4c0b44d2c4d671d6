#include "render/deep/DeepPicture.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <numeric>

#include "render/deep/JuliaFoldBits.h"
#include "render/deep/Nucleus.h"
#include "render/escape/EscapeKernel.h"

namespace morvale {
namespace {

// Offsets below 2^-440 stay in FloatExp: their squares would fall out of a double's range.
constexpr std::int64_t kWideBelow = -440;
constexpr double kNarrowNorm = 0x1p-880;
constexpr std::uint64_t kStopCheckMask = (1u << 16) - 1;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

FloatExp Larger(FloatExp a, FloatExp b) {
    return a < b ? b : a;
}

double Normal(double v) {
    return std::fabs(v) < std::numeric_limits<double>::min() ? 0.0 : v;
}

// A pixel's offset, and the orbit it follows; with the entry and the count, its whole state.
struct State {
    const void* track = nullptr;
    bool wide = false;
    std::uint64_t re = 0, im = 0;
    std::int64_t e = 0;
    bool operator==(const State&) const = default;
};

// Brent's way of finding a cycle: of a sequence of looks at the state, the 2^j-th is kept.
struct Looks {
    State kept;
    std::int64_t n = -1;  // the count at the kept look; -1: none yet
    int top = 0;          // the highest level of a run taken since
    std::uint64_t count = 0;
    // Whether now repeats the kept state; comparable: nothing since can make the steps differ.
    bool Repeat(const State& now, std::int64_t atN, bool comparable) {
        if (n >= 0 && comparable && now == kept) return true;
        if (!comparable) count = 0;
        if (std::has_single_bit(++count)) {
            kept = now;
            n = atN;
            top = 0;
        }
        return false;
    }
};

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// Entries that every step and run computed from them treats alike.
bool SameEntry(const ReferenceOrbit& orbit, std::int64_t a, std::int64_t b) {
    if (std::bit_cast<std::uint64_t>(orbit.Re(a)) != std::bit_cast<std::uint64_t>(orbit.Re(b)) ||
        std::bit_cast<std::uint64_t>(orbit.Im(a)) != std::bit_cast<std::uint64_t>(orbit.Im(b)))
        return false;
    const ComplexExp x = orbit.Wide(a), y = orbit.Wide(b);
    return std::bit_cast<std::uint64_t>(x.re) == std::bit_cast<std::uint64_t>(y.re) &&
           std::bit_cast<std::uint64_t>(x.im) == std::bit_cast<std::uint64_t>(y.im) && x.e == y.e;
}

// Orbit, table and the reaches the table's build holds for a while, per iteration.
constexpr std::int64_t kBytesPerIteration =
    ReferenceOrbit::kBytesPerEntry + BlaTable::kBytesPerEntry + BlaTable::kBuildBytesPerEntry;

int Orbits(bool julia) {
    return julia ? 2 : 1;
}

// The iterations each orbit's share of the budget holds.
std::int64_t ShareIterations(const DeepFrame& frame, bool julia) {
    return frame.memoryBudget / Orbits(julia) / kBytesPerIteration;
}

OrbitCap CapOf(const DeepFrame& frame, bool julia) {
    return {std::int64_t(std::max(frame.limit, 0)) + 1,
            ShareIterations(frame, julia) * ReferenceOrbit::kBytesPerEntry};
}

// The longest each orbit can be.
std::int64_t OrbitLength(const DeepFrame& frame, bool julia) {
    return std::min(std::int64_t(std::max(frame.limit, 0)) + 1, ShareIterations(frame, julia));
}

}  // namespace

std::int64_t DeepPicture::ReferenceWork(const DeepFrame& frame, bool julia) {
    return Orbits(julia) * OrbitLength(frame, julia);
}

std::int64_t DeepPicture::MemoryNeed(const DeepFrame& frame, bool julia) {
    return Orbits(julia) * OrbitLength(frame, julia) * kBytesPerIteration;
}

OrbitCap DeepPicture::Cap() const {
    return CapOf(frame_, julia_);
}

bool DeepPicture::Prepare(const DeepRegion& region, const DeepFrame& frame,
                          const std::atomic<bool>* stop, const OrbitProgress& progress,
                          double tolerance) {
    // Errors of approximated runs add up over an orbit: long ones take a finer tolerance, four
    // bits for each doubling of the limit past 2^17 (the 5e227 public location at 1.2 million
    // had a count off by 1,890 at 2^-36, none beyond 0.1 % at 2^-48).
    const int doublings = std::max(int(std::bit_width(unsigned(std::max(frame.limit, 1)))) - 18, 0);
    tolerance = std::min(tolerance, std::ldexp(kDefaultTolerance, -4 * doublings));
    frame_ = frame;
    julia_ = region.Julia();
    centreResult_.reset();
    stop_ = stop;
    timings_ = {};
    long bits = region.SampleBits(frame.width, frame.height);
    // The reference and every offset's reach depend on the device alone, not on how much of it
    // a window shows, so a view gives the same pixels in every window and in the renderer.
    const int deviceRows = std::max(frame.height - frame.firstSampleRow, 0);
    const int centreRow = frame.firstSampleRow + deviceRows / 2;
    DeepPoint centre = region.Sample(frame.width, frame.height, frame.width / 2, centreRow, bits);
    SetOffsets(region, centre, bits);

    const OrbitCap cap = Cap();
    auto start = std::chrono::steady_clock::now();
    const BigFloat zero(bits);
    bool done;
    if (julia_) {
        // The second orbit's progress goes on where the first one's full length ends.
        const std::int64_t first = ReferenceWork(frame, false);
        const OrbitProgress second = [&progress, first](std::int64_t n) {
            if (progress) progress(first + n);
        };
        BigFloat p = region.Constant(4, bits), q = region.Constant(5, bits);
        done = main_.orbit.Compute(centre.re, centre.im, p, q, cap, bits, stop, progress);
        // Past a fold the reference must resolve the square of the pixels' spacing.
        const long folds =
            std::min(JuliaFoldBits(main_.orbit, PixelStep(region), reach_, main_.orbit.Escaped()),
                     DeepRegion::kMaxBits);
        if (done && folds > bits) {
            bits = folds;
            centre = region.Sample(frame.width, frame.height, frame.width / 2, centreRow, bits);
            p = region.Constant(4, bits), q = region.Constant(5, bits);
            done = main_.orbit.Compute(centre.re, centre.im, p, q, cap, bits, stop, progress);
        }
        const BigFloat origin(bits);
        done = done && critical_.orbit.Compute(origin, origin, p, q, cap, bits, stop, second);
    } else {
        done = main_.orbit.Compute(zero, zero, centre.re, centre.im, cap, bits, stop, progress);
        if (done && main_.orbit.Escaped()) done = TakeNucleus(region, centre, bits, progress);
    }
    timings_.reference = Seconds(start);
    timings_.referenceLength = main_.orbit.Size();
    if (!done) return false;
    start = std::chrono::steady_clock::now();
    main_.table.Build(main_.orbit, tolerance, reach_, !julia_);
    if (julia_) critical_.table.Build(critical_.orbit, tolerance, reach_, false);
    timings_.table = Seconds(start);
    main_.FindRepeats();
    critical_.FindRepeats();
    timings_.bytes = main_.orbit.Bytes() + main_.table.Bytes() + critical_.orbit.Bytes() +
                     critical_.table.Bytes();
    return !Stopped();
}

FloatExp DeepPicture::PixelStep(const DeepRegion& region) const {
    const FloatExp x = Abs(RoundedExp(region.StepX(frame_.width, 64)));
    const FloatExp y = Abs(RoundedExp(region.StepY(frame_.height, 64)));
    return y < x ? y : x;
}

void DeepPicture::SetOffsets(const DeepRegion& region, const DeepPoint& reference, long bits) {
    const int deviceRows = std::max(frame_.height - frame_.firstSampleRow, 0);
    columnOffset_.assign(std::size_t(std::max(frame_.width, 0)), FloatExp{});
    rowOffset_.assign(std::size_t(deviceRows), FloatExp{});
    tbb::parallel_for(0, frame_.width + deviceRows, [&](int i) {
        const bool column = i < frame_.width;
        const long at = column ? i : frame_.firstSampleRow + (i - frame_.width);
        // Each axis's part of a sample depends on its own index only.
        const DeepPoint p = region.Sample(frame_.width, frame_.height, column ? at : 0,
                                          column ? frame_.firstSampleRow : at, bits);
        if (column)
            columnOffset_[std::size_t(i)] = RoundedExp(p.re - reference.re);
        else
            rowOffset_[std::size_t(i - frame_.width)] = RoundedExp(p.im - reference.im);
    });
    FloatExp reachX, reachY;
    for (const FloatExp& o : columnOffset_) reachX = Larger(reachX, Abs(o));
    for (const FloatExp& o : rowOffset_) reachY = Larger(reachY, Abs(o));
    reach_ = reachX + reachY;  // bounds |dc| from above
}

bool DeepPicture::TakeNucleus(const DeepRegion& region, const DeepPoint& centre, long bits,
                              const OrbitProgress& progress) {
    const std::int64_t period = AtomPeriod(main_.orbit, reach_);
    if (period == 0) return true;
    const std::optional<DeepPoint> nucleus = FindNucleus(centre, period, reach_, bits, stop_);
    if (!nucleus) return !Stopped();
    ReferenceOrbit orbit;
    const BigFloat zero(bits);
    if (!orbit.Compute(zero, zero, nucleus->re, nucleus->im, Cap(), bits, stop_, progress))
        return false;
    if (orbit.Size() <= main_.orbit.Size()) return true;
    // The centre's own pixel is its orbit: counted exactly, whatever its rounding decides.
    const std::int64_t last = main_.orbit.Size() - 1;
    centreResult_ = {last - 1, main_.orbit.Wide(last).Norm().ToDouble()};
    main_.orbit = std::move(orbit);
    SetOffsets(region, *nucleus, bits);
    return true;
}

void DeepPicture::Track::FindRepeats() {
    repeatsFrom = stride = 0;
    const std::int64_t last = orbit.Size() - 1;
    if (orbit.Escaped()) return;
    std::int64_t period = 1;
    while (period < last && !SameEntry(orbit, last - period, last)) ++period;
    if (period >= last) return;
    repeatsFrom = last - period;
    while (repeatsFrom > 0 && SameEntry(orbit, repeatsFrom - 1, repeatsFrom - 1 + period))
        --repeatsFrom;
    // Runs below runLevel then start alike in every stride: those up to a period long.
    runLevel = std::max(BlaTable::kFirstLevel, int(std::bit_width(std::uint64_t(period - 1))));
    stride = std::lcm(period, std::int64_t(1) << runLevel);
}

std::int64_t DeepPicture::Track::NextLook(std::int64_t m) const {
    if (stride == 0) return kNever;
    if (m < repeatsFrom) return repeatsFrom;
    return repeatsFrom + ((m - repeatsFrom) / stride + 1) * stride;
}

std::int64_t DeepPicture::Leap(const Track& track, std::int64_t m, std::int64_t n,
                               std::int64_t period, int top) const {
    // Near the limit, runs are cut short and the periods differ; those before it are alike. No
    // run above level top + 1 was looked at. Along the repeating orbit no entry may force a
    // rebase either.
    const int levels = std::max(top + 1, BlaTable::kFirstLevel);
    std::int64_t room = frame_.limit - (std::int64_t(1) << levels) - n;
    if (m > 0) room = std::min(room, track.orbit.Size() - 2 - m);
    return std::max<std::int64_t>(room / period, 0);
}

ComplexExp DeepPicture::Offset(int column, int clientRow) const {
    const FloatExp re = columnOffset_[std::size_t(column)];
    const FloatExp im = rowOffset_[std::size_t(clientRow)];
    const std::int64_t e = std::max(re.e, im.e);
    return ComplexExp::Normalised(floatexp_detail::Scale(re.m, re.e - e),
                                  floatexp_detail::Scale(im.m, im.e - e), e);
}

DeepPicture::Result DeepPicture::Iterate(int column, int clientRow) const {
    const std::int64_t limit = frame_.limit;
    const ComplexExp offset = Offset(column, clientRow);
    // Mandelbrot adds the pixel's offset every step; Julia starts from it.
    if (centreResult_ && column == frame_.width / 2 &&
        clientRow == (frame_.height - frame_.firstSampleRow) / 2)
        return std::min(*centreResult_, Result{limit, 0.0},
                        [](const Result& a, const Result& b) { return a.k < b.k; });
    const ComplexExp c = julia_ ? ComplexExp{} : offset;
    // The narrow loop's offset. A subnormal one is hundreds of binary orders below a narrow z
    // (at least 2^-440) and adds nothing to it, but every product that touches it is slow, on
    // some processors many times slower.
    const double cr = Normal(c.Re()), ci = Normal(c.Im());
    const Track* track = &main_;
    ComplexExp wz = julia_ ? offset : ComplexExp{};
    double zr = 0.0, zi = 0.0;
    bool wide = true;
    std::int64_t m = 0, n = 0;
    std::uint64_t passes = 0;
    // A pixel back at an earlier state bit for bit repeats itself for ever. Looks come at every
    // start along an orbit (m = 0) and, while the orbit repeats itself, at entries a whole
    // number of its periods and lowest runs apart.
    Looks starts, along;
    std::int64_t nextLook = cycles_ ? 0 : kNever;
    bool cycled = false;
    int runs = 0;  // the highest level of a run taken since the last look
    auto rebase = [&] {
        m = 0;
        if (julia_) track = &critical_;
        if (!cycled && cycles_) nextLook = 0;
        along = {};
    };
    while (n < limit) {
        if ((++passes & kStopCheckMask) == 0 && Stopped()) return {n, 0.0};  // not drawn
        if (m >= nextLook) [[unlikely]] {
            const State now{track, wide, std::bit_cast<std::uint64_t>(wide ? wz.re : zr),
                            std::bit_cast<std::uint64_t>(wide ? wz.im : zi), wide ? wz.e : 0};
            starts.top = std::max(starts.top, runs);
            along.top = std::max(along.top, runs);
            runs = 0;
            Looks& looks = m == 0 ? starts : along;
            const bool back = (m == 0 || m == nextLook) &&
                              looks.Repeat(now, n, m == 0 || along.top < track->runLevel);
            nextLook = track->NextLook(m);
            if (back) {
                cycled = true;
                nextLook = kNever;
                const std::int64_t period = n - looks.n;
                const std::int64_t leap = Leap(*track, m, n, period, looks.top) * period;
                n += leap;
                if (m > 0) m += leap;
            }
        }
        const ReferenceOrbit& orbit = track->orbit;
        const BlaTable& table = track->table;
        int level = 0;
        if (wide) {
            const FloatExp size = wz.Norm();
            const BlaStep* s =
                table.Longest(m, limit - n, level, [&](const BlaStep& t) { return size < t.r2; });
            const bool skipped = s != nullptr;
            if (skipped) {
                wz = ComplexExp::From(s->ar, s->ai) * wz + ComplexExp::From(s->br, s->bi) * c;
                m += std::int64_t(1) << level;
                n += std::int64_t(1) << level;
                runs = std::max(runs, level);
            }
            if (!skipped) {
                const ComplexExp z = orbit.Wide(m);
                wz = (ComplexExp{z.re, z.im, z.e + 1} + wz) * wz + c;
                ++m;
                ++n;
            }
            const ComplexExp full = orbit.Wide(m) + wz;
            const FloatExp norm = full.Norm();
            const double magnitude = norm.ToDouble();
            if (!(magnitude <= kEscapeBound))
                return {n - 1, magnitude, false, std::int64_t(passes)};
            if (norm < wz.Norm() || m == orbit.Size() - 1) {
                wz = full;
                rebase();
            }
            if (wz.AtLeast(kWideBelow)) {
                wide = false;
                zr = wz.Re();
                zi = wz.Im();
            }
            continue;
        }
        const double norm = zr * zr + zi * zi;
        const BlaStep* s =
            norm < table.Reach2Bound()
                ? table.Longest(m, limit - n, level,
                                [norm](const BlaStep& t) { return norm < t.r2Double; })
                : nullptr;
        const bool skipped = s != nullptr;
        if (skipped) {
            const double nr = s->ar * zr - s->ai * zi + (s->br * cr - s->bi * ci);
            const double ni = s->ar * zi + s->ai * zr + (s->br * ci + s->bi * cr);
            zr = nr;
            zi = ni;
            m += std::int64_t(1) << level;
            n += std::int64_t(1) << level;
            runs = std::max(runs, level);
        }
        if (!skipped) {
            const double tr = 2.0 * orbit.Re(m) + zr, ti = 2.0 * orbit.Im(m) + zi;
            const double nr = tr * zr - ti * zi + cr;
            const double ni = tr * zi + ti * zr + ci;
            zr = nr;
            zi = ni;
            ++m;
            ++n;
        }
        const double fr = orbit.Re(m) + zr, fi = orbit.Im(m) + zi;
        const double magnitude = fr * fr + fi * fi;
        if (!(magnitude <= kEscapeBound)) return {n - 1, magnitude, false, std::int64_t(passes)};
        const double size = zr * zr + zi * zi;
        if (magnitude < size || m == orbit.Size() - 1) {
            zr = fr;
            zi = fi;
            rebase();
            if (magnitude < kNarrowNorm) {
                wide = true;
                wz = ComplexExp::From(zr, zi);
            }
        } else if (size < kNarrowNorm && size > 0.0) {
            // Shrunk while the reference passed near 0: its square would leave double's range.
            wide = true;
            wz = ComplexExp::From(zr, zi);
        }
    }
    return {limit, 0.0, cycled, std::int64_t(passes)};
}

}  // namespace morvale
