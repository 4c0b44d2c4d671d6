// One deep picture ready to iterate: its full-precision reference orbits, their approximation
// tables and every pixel's offset from the reference. Each pixel then iterates its offset in
// double (in FloatExp while it is too small for one), rebasing onto the orbit from the critical
// point whenever the offset outgrows the full value or the reference ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "plane/DeepRegion.h"
#include "render/deep/BlaTable.h"
#include "render/deep/ReferenceOrbit.h"

namespace morvale {

// Where a deep picture's time went, in seconds.
struct DeepTimings {
    double reference = 0.0;
    double table = 0.0;
    double pixels = 0.0;
    std::int64_t referenceLength = 0;
    std::int64_t bytes = 0;  // orbits and tables
};

// What the orbits and tables of one deep picture may take together. A reference that reaches it
// ends there, and pixels that outlive it go on from the orbit's start.
inline constexpr std::int64_t kDeepMemoryBudget = std::int64_t(512) << 20;

struct DeepFrame {
    int width = 0;           // device pixels: the region spans them
    int height = 0;          // device sample rows
    int columns = 0;         // visible columns [0, columns)
    int firstSampleRow = 0;  // sample row of client row 0
    int rows = 0;            // visible client rows [0, rows)
    int limit = 0;
    std::int64_t memoryBudget = kDeepMemoryBudget;
};

class DeepPicture {
public:
    // Relative size of the terms an approximated run may drop. Measured on 4,096 sampled pixels
    // of each checked location: 2^-36 kept at least 99.98 % of the counts exact (the rest within
    // 3) and takes a sixth less time than 2^-40; 2^-32 saves another fifth but let more differ.
    static constexpr double kDefaultTolerance = 0x1p-36;

    struct Result {
        std::int64_t k = 0;       // iterates that stayed within the bound; limit: never escaped
        double m = 0.0;           // squared modulus of the first one outside
        bool forEver = false;     // k is the limit because the pixel came back to an earlier state
        std::int64_t passes = 0;  // steps and approximated runs taken
    };

    // The reference iterations Prepare reports progress against: each orbit's capped length.
    static std::int64_t ReferenceWork(const DeepFrame& frame, bool julia);
    // The most the orbits and tables of such a picture can take.
    static std::int64_t MemoryNeed(const DeepFrame& frame, bool julia);

    // False when stop was set before the references were done.
    bool Prepare(const DeepRegion& region, const DeepFrame& frame, const std::atomic<bool>* stop,
                 const OrbitProgress& progress, double tolerance = kDefaultTolerance);

    Result Iterate(int column, int clientRow) const;
    // The pixels of columns [from, to) of one client row into out, several walked at once.
    void IterateRow(int clientRow, int from, int to, Result* out) const;
    // Off: every pixel that stays runs up to the limit, for comparison.
    void DetectCycles(bool on) { cycles_ = on; }

    const DeepFrame& Frame() const { return frame_; }
    const DeepTimings& Timings() const { return timings_; }
    DeepTimings& Timings() { return timings_; }

private:
    friend class PixelWalk;
    friend void WalkRow(const DeepPicture&, int, int, int, Result*);
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    struct Track {
        ReferenceOrbit orbit;
        BlaTable table;
        // From entry repeatsFrom on the orbit repeats itself bit for bit, every stride entries
        // a whole number of runs below runLevel too: a pixel's runs and steps there that stay
        // below it depend on its offset alone.
        std::int64_t repeatsFrom = 0;
        std::int64_t stride = 0;  // 0: it does not repeat
        int runLevel = 0;
        void FindRepeats();
        // The entry after m where a pixel's state is next compared.
        std::int64_t NextLook(std::int64_t m) const;
    };
    // How many of a pixel's periods, found at entry m and count n, can be left out without
    // changing what comes after them.
    std::int64_t Leap(const Track& track, std::int64_t m, std::int64_t n, std::int64_t period,
                      int top) const;
    ComplexExp Offset(int column, int clientRow) const;
    // Every visible column's and device row's offset from the reference point, and their reach.
    void SetOffsets(const DeepRegion& region, const DeepPoint& reference, long bits);
    FloatExp reach_;
    // The centre's orbit escaped before the limit: a minibrot's nucleus in reach, whose orbit
    // lasts longer, becomes the reference. False when stopped.
    bool TakeNucleus(const DeepRegion& region, const DeepPoint& centre, long bits,
                     const OrbitProgress& progress);
    bool Stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }
    // Each orbit's share of the budget: the limit's length, or what fits beside its table.
    OrbitCap Cap() const;

    DeepFrame frame_;
    bool julia_ = false;
    Track main_;                          // from the picture's centre
    Track critical_;                      // Julia: from 0, the orbit every rebase lands on
    std::optional<Result> centreResult_;  // the centre's pixel, when a nucleus is the reference
    std::vector<FloatExp> columnOffset_, rowOffset_;
    const std::atomic<bool>* stop_ = nullptr;
    bool cycles_ = true;
    DeepTimings timings_;
};

}  // namespace morvale
