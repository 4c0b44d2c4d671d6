#include "render/deep/PixelWalk.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "render/escape/EscapeKernel.h"

namespace morvale {
namespace {

// Offsets below 2^-440 stay in FloatExp: their squares would fall out of a double's range.
constexpr std::int64_t kWideBelow = -440;

// Where a table's lowest runs lie; a table without runs gives one that is never taken, so that
// every lane can read one.
const double* RunsOf(const BlaTable& table) {
    static const BlaStep kNone;
    return reinterpret_cast<const double*>(table.FirstRuns() ? table.FirstRuns() : &kNone);
}

std::int64_t DoublesBetween(const double* from, const double* to) {
    return std::int64_t(reinterpret_cast<std::uintptr_t>(to) -
                        reinterpret_cast<std::uintptr_t>(from)) /
           std::int64_t(sizeof(double));
}

double Normal(double v) {
    return std::fabs(v) < std::numeric_limits<double>::min() ? 0.0 : v;
}

}  // namespace

bool WalkLooks::Repeat(const WalkState& now, std::int64_t atN, bool comparable) {
    if (n >= 0 && comparable && now == kept) return true;
    if (!comparable) count = 0;
    if (std::has_single_bit(++count)) {
        kept = now;
        n = atN;
        top = 0;
    }
    return false;
}

void PixelWalk::Start(const DeepPicture& picture, int column, int clientRow) {
    *this = PixelWalk();
    picture_ = &picture;
    const DeepFrame& frame = picture.frame_;
    const ComplexExp offset = picture.Offset(column, clientRow);
    if (picture.centreResult_ && column == frame.width / 2 &&
        clientRow == (frame.height - frame.firstSampleRow) / 2) {
        End(std::min(*picture.centreResult_, Result{frame.limit, 0.0},
                     [](const Result& a, const Result& b) { return a.k < b.k; }));
        return;
    }
    c_ = picture.julia_ ? ComplexExp{} : offset;
    // A subnormal offset is hundreds of binary orders below a narrow z (at least 2^-440) and
    // adds nothing to it, but every product that touches it is slow, on some processors many
    // times slower.
    cr_ = Normal(c_.Re());
    ci_ = Normal(c_.Im());
    track_ = &picture.main_;
    wz_ = picture.julia_ ? offset : ComplexExp{};
    nextLook_ = picture.cycles_ ? 0 : DeepPicture::kNever;
}

bool PixelWalk::End(Result result) {
    result_ = result;
    done_ = true;
    return false;
}

void PixelWalk::Rebase() {
    m_ = 0;
    if (picture_->julia_) track_ = &picture_->critical_;
    if (!cycled_ && picture_->cycles_) nextLook_ = 0;
    along_ = {};
}

// A pixel back at an earlier state bit for bit repeats itself for ever. Looks come at every
// start along an orbit (m = 0) and, while the orbit repeats itself, at entries a whole number
// of its periods and lowest runs apart.
void PixelWalk::Look() {
    const WalkState now{track_, wide_, std::bit_cast<std::uint64_t>(wide_ ? wz_.re : zr_),
                        std::bit_cast<std::uint64_t>(wide_ ? wz_.im : zi_), wide_ ? wz_.e : 0};
    starts_.top = std::max(starts_.top, runs_);
    along_.top = std::max(along_.top, runs_);
    runs_ = 0;
    WalkLooks& looks = m_ == 0 ? starts_ : along_;
    const bool back = (m_ == 0 || m_ == nextLook_) &&
                      looks.Repeat(now, n_, m_ == 0 || along_.top < track_->runLevel);
    nextLook_ = track_->NextLook(m_);
    if (!back) return;
    cycled_ = true;
    nextLook_ = DeepPicture::kNever;
    const std::int64_t period = n_ - looks.n;
    const std::int64_t leap = picture_->Leap(*track_, m_, n_, period, looks.top) * period;
    n_ += leap;
    if (m_ > 0) m_ += leap;
}

bool PixelWalk::WidePass() {
    const ReferenceOrbit& orbit = track_->orbit;
    const std::int64_t limit = picture_->frame_.limit;
    int level = 0;
    const FloatExp size = wz_.Norm();
    const BlaStep* s =
        track_->table.Longest(m_, limit - n_, level, [&](const BlaStep& t) { return size < t.r2; });
    if (s) {
        wz_ = ComplexExp::From(s->ar, s->ai) * wz_ + ComplexExp::From(s->br, s->bi) * c_;
        m_ += std::int64_t(1) << level;
        n_ += std::int64_t(1) << level;
        runs_ = std::max(runs_, level);
    } else {
        const ComplexExp z = orbit.Wide(m_);
        wz_ = (ComplexExp{z.re, z.im, z.e + 1} + wz_) * wz_ + c_;
        ++m_;
        ++n_;
    }
    const ComplexExp full = orbit.Wide(m_) + wz_;
    const FloatExp norm = full.Norm();
    const double magnitude = norm.ToDouble();
    if (!(magnitude <= kEscapeBound)) return End({n_ - 1, magnitude, false, std::int64_t(passes_)});
    if (norm < wz_.Norm() || m_ == orbit.Size() - 1) {
        wz_ = full;
        Rebase();
    }
    if (wz_.AtLeast(kWideBelow)) {
        wide_ = false;
        zr_ = wz_.Re();
        zi_ = wz_.Im();
    }
    return true;
}

bool PixelWalk::NarrowPass() {
    const ReferenceOrbit& orbit = track_->orbit;
    const BlaTable& table = track_->table;
    int level = 0;
    const double norm = zr_ * zr_ + zi_ * zi_;
    const BlaStep* s = norm < table.Reach2Bound()
                           ? table.Longest(m_, picture_->frame_.limit - n_, level,
                                           [norm](const BlaStep& t) { return norm < t.r2Double; })
                           : nullptr;
    if (s) {
        const double nr = s->ar * zr_ - s->ai * zi_ + (s->br * cr_ - s->bi * ci_);
        const double ni = s->ar * zi_ + s->ai * zr_ + (s->br * ci_ + s->bi * cr_);
        zr_ = nr;
        zi_ = ni;
        m_ += std::int64_t(1) << level;
        n_ += std::int64_t(1) << level;
        runs_ = std::max(runs_, level);
    } else {
        const double tr = 2.0 * orbit.Re(m_) + zr_, ti = 2.0 * orbit.Im(m_) + zi_;
        const double nr = tr * zr_ - ti * zi_ + cr_;
        const double ni = tr * zi_ + ti * zr_ + ci_;
        zr_ = nr;
        zi_ = ni;
        ++m_;
        ++n_;
    }
    return Landed();
}

bool PixelWalk::Landed() {
    const ReferenceOrbit& orbit = track_->orbit;
    const double fr = orbit.Re(m_) + zr_, fi = orbit.Im(m_) + zi_;
    const double magnitude = fr * fr + fi * fi;
    if (!(magnitude <= kEscapeBound)) return End({n_ - 1, magnitude, false, std::int64_t(passes_)});
    const double size = zr_ * zr_ + zi_ * zi_;
    if (magnitude < size || m_ == orbit.Size() - 1) {
        zr_ = fr;
        zi_ = fi;
        Rebase();
        if (magnitude < kNarrowNorm) {
            wide_ = true;
            wz_ = ComplexExp::From(zr_, zi_);
        }
    } else if (size < kNarrowNorm && size > 0.0) {
        // Shrunk while the reference passed near 0: its square would leave double's range.
        wide_ = true;
        wz_ = ComplexExp::From(zr_, zi_);
    }
    return true;
}

bool PixelWalk::Pass() {
    if (done_) return false;
    const std::int64_t limit = picture_->frame_.limit;
    if (n_ >= limit) return End({limit, 0.0, cycled_, std::int64_t(passes_)});
    if ((++passes_ & kStopCheckMask) == 0 && picture_->Stopped()) return End({n_, 0.0});
    if (m_ >= nextLook_) [[unlikely]]
        Look();
    return wide_ ? WidePass() : NarrowPass();
}

std::int64_t PixelWalk::Budget() const {
    const std::int64_t runs = track_->table.FirstRunCount();
    const auto toStop =
        std::int64_t((kStopCheckMask + 1 - ((passes_ + 1) & kStopCheckMask)) & kStopCheckMask);
    // A run needs room for its 2^kFirstLevel steps before the limit; the lanes do not check it.
    return std::min({picture_->frame_.limit - (std::int64_t(1) << BlaTable::kFirstLevel) + 1 - n_,
                     toStop, nextLook_ - m_, (runs << BlaTable::kFirstLevel) + 1 - m_});
}

std::int64_t PixelWalk::PlainSteps() const {
    if (done_ || wide_) return 0;
    const double norm = zr_ * zr_ + zi_ * zi_;
    if (norm < track_->table.Reach2Bound() && m_ > 0 &&
        std::countr_zero(std::uint64_t(m_ - 1)) >= BlaTable::kFirstLevel)
        return 0;  // may take a run
    return std::max<std::int64_t>(Budget(), 0);
}

void PixelWalk::ToLane(WalkLanes& lanes, int i, const LaneTracks& tracks,
                       std::int64_t steps) const {
    const auto at = std::size_t(i);
    const LaneTrack& track = tracks[track_ == &picture_->main_ ? 0 : 1];
    lanes.zr[at] = zr_;
    lanes.zi[at] = zi_;
    lanes.cr[at] = cr_;
    lanes.ci[at] = ci_;
    lanes.reach2[at] = track.reach2;
    lanes.m[at] = m_;
    lanes.last[at] = track.last;
    lanes.budget[at] = steps;
    lanes.base[at] = track.base;
    lanes.runBase[at] = track.runBase;
    lanes.hold[at] = WalkLanes::kWalking;
}

void PixelWalk::FromLane(const WalkLanes& lanes, int i) {
    const auto at = std::size_t(i);
    zr_ = lanes.zr[at];
    zi_ = lanes.zi[at];
    // A lane takes single steps only.
    const std::int64_t steps = lanes.m[at] - m_;
    m_ += steps;
    n_ += steps;
    passes_ += std::uint64_t(steps);
}

void WalkRow(const DeepPicture& picture, int clientRow, int from, int to,
             DeepPicture::Result* out) {
    constexpr int kLanes = WalkLanes::kCount;
    WalkLanes lanes;
    lanes.orbit = picture.main_.orbit.Data();
    lanes.runs = RunsOf(picture.main_.table);
    // Julia's two orbits and tables lie apart; a lane's distance from the first reaches the
    // second.
    auto place = [&lanes](const auto& track) {
        return LaneTrack{DoublesBetween(lanes.orbit, track.orbit.Data()),
                         DoublesBetween(lanes.runs, RunsOf(track.table)), track.orbit.Size() - 1,
                         track.table.Reach2Bound()};
    };
    const LaneTracks tracks = {place(picture.main_), place(picture.critical_)};
    std::fill(std::begin(lanes.hold), std::end(lanes.hold), WalkLanes::kWaiting);
    std::array<PixelWalk, kLanes> walks;
    std::array<int, kLanes> column;
    column.fill(-1);  // no pixel in the lane
    int next = from, walking = 0;
    // Takes lane i's pixel on to its next plain step; pixels that end there make room for the
    // next ones.
    auto settle = [&](int i) {
        PixelWalk& walk = walks[std::size_t(i)];
        int& at = column[std::size_t(i)];
        for (;;) {
            if (at < 0) {
                if (next >= to || picture.Stopped()) return;
                walk.Start(picture, next, clientRow);
                at = next++;
            }
            bool on = true;
            std::int64_t steps = 0;
            while (on && (steps = walk.PlainSteps()) == 0) on = walk.Pass();
            if (on) {
                walk.ToLane(lanes, i, tracks, steps);
                ++walking;
                return;
            }
            out[at - from] = walk.Outcome();
            at = -1;
        }
    };
    for (int i = 0; i < kLanes; ++i) settle(i);
    while (walking > 0) {
        // Lanes come back to the walks in groups: each return costs a pass's bookkeeping.
        StepWalkLanes(lanes, 1 << 12, kLanes - walking + std::max(walking / 4, 1));
        for (int i = 0; i < kLanes; ++i) {
            const auto at = std::size_t(i);
            if (column[at] < 0 || lanes.hold[at] == WalkLanes::kWalking) continue;
            PixelWalk& walk = walks[at];
            walk.FromLane(lanes, i);
            --walking;
            if (lanes.hold[at] == WalkLanes::kLanded && !walk.Landed()) {
                out[column[at] - from] = walk.Outcome();
                column[at] = -1;
            }
            lanes.hold[at] = WalkLanes::kWaiting;
            settle(i);
        }
    }
}

}  // namespace morvale
