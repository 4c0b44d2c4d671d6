// One pixel's way along a deep picture's reference orbits, a pass at a time. Each pass waits on
// the one before it, so a row's pixels take their plain steps side by side in vector lanes
// (WalkLanes) and the rest in their own walks; each pixel's result stays the same as when walked
// alone.
#pragma once

#include <array>

#include "render/deep/DeepPicture.h"
#include "render/deep/WalkLanes.h"

namespace morvale {

// A pixel's offset, and the orbit it follows; with the entry and the count, its whole state.
struct WalkState {
    const void* track = nullptr;
    bool wide = false;
    std::uint64_t re = 0, im = 0;
    std::int64_t e = 0;
    bool operator==(const WalkState&) const = default;
};

// Brent's way of finding a cycle: of a sequence of looks at the state, the 2^j-th is kept.
struct WalkLooks {
    WalkState kept;
    std::int64_t n = -1;  // the count at the kept look; -1: none yet
    int top = 0;          // the highest level of a run taken since
    std::uint64_t count = 0;
    // Whether now repeats the kept state; comparable: nothing since can make the steps differ.
    bool Repeat(const WalkState& now, std::int64_t atN, bool comparable);
};

// What a lane needs of the orbit it follows, the same for every pixel of a row: where its
// entries and runs lie (see WalkLanes), its last entry and its runs' largest reach.
struct LaneTrack {
    std::int64_t base = 0, runBase = 0, last = 0;
    double reach2 = 0.0;
};
using LaneTracks = std::array<LaneTrack, 2>;  // the picture's orbit, then Julia's critical one

class PixelWalk {
public:
    using Result = DeepPicture::Result;

    void Start(const DeepPicture& picture, int column, int clientRow);
    // One step or approximated run; false once the result is known.
    bool Pass();
    const Result& Outcome() const { return result_; }

    // How many plain steps the lanes may take from here: 0 when the next pass is the walk's own
    // (a run from here, the end, a look, a stop check, a wide offset).
    std::int64_t PlainSteps() const;
    // A walk whose next steps are plain hands them to a lane, and takes it back after.
    void ToLane(WalkLanes& lanes, int i, const LaneTracks& tracks, std::int64_t steps) const;
    void FromLane(const WalkLanes& lanes, int i);
    // What a pass does after its step: false when the pixel escaped.
    bool Landed();

private:
    bool End(Result result);
    // How many plain steps the lanes may take from here: see WalkLanes::budget.
    std::int64_t Budget() const;
    void Rebase();
    void Look();
    bool WidePass();
    bool NarrowPass();

    const DeepPicture* picture_ = nullptr;
    const DeepPicture::Track* track_ = nullptr;
    ComplexExp c_;  // Mandelbrot adds the pixel's offset every step; Julia starts from it
    double cr_ = 0.0, ci_ = 0.0;  // c_ for the narrow loop, subnormal parts flushed
    ComplexExp wz_;
    double zr_ = 0.0, zi_ = 0.0;
    bool wide_ = true;
    bool done_ = false;
    bool cycled_ = false;
    int runs_ = 0;  // the highest level of a run taken since the last look
    std::int64_t m_ = 0, n_ = 0;
    std::int64_t nextLook_ = 0;
    std::uint64_t passes_ = 0;
    WalkLooks starts_, along_;
    Result result_;
};

// Walks the pixels of columns [from, to) of one client row, several at once, into out.
void WalkRow(const DeepPicture& picture, int clientRow, int from, int to, DeepPicture::Result* out);

}  // namespace morvale
