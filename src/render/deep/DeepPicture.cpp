#include "render/deep/DeepPicture.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <numeric>

#include "render/deep/JuliaFoldBits.h"
#include "render/deep/Nucleus.h"
#include "render/deep/PixelWalk.h"

namespace morvale {
namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

FloatExp Larger(FloatExp a, FloatExp b) {
    return a < b ? b : a;
}

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
    return ReferenceOrbit::Length(CapOf(frame, julia));
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
            std::min(JuliaFoldBits(main_.orbit, region.PixelStep(frame.width, frame.height), reach_,
                                   main_.orbit.Escaped()),
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
    PixelWalk walk;
    walk.Start(*this, column, clientRow);
    while (walk.Pass()) {
    }
    return walk.Outcome();
}

void DeepPicture::IterateRow(int clientRow, int from, int to, Result* out) const {
    WalkRow(*this, clientRow, from, to, out);
}

}  // namespace morvale
