// The orbit of one point at full precision, stored rounded: the reference every pixel of a deep
// picture iterates its small offset against.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "plane/BigFloat.h"
#include "plane/FloatExp.h"

namespace morvale {

// Progress while the reference is computed: iterations done so far.
using OrbitProgress = std::function<void(std::int64_t)>;

// A full-precision complex number with its whole exponent.
ComplexExp WideOf(const BigFloat& re, const BigFloat& im);

class ReferenceOrbit {
public:
    // Bytes one stored entry costs, the table's share included; the budget caps the length.
    static constexpr std::int64_t kBytesPerEntry = 200;
    static constexpr std::int64_t kMemoryBudget = std::int64_t(512) << 20;
    static constexpr std::int64_t kMaxEntries = kMemoryBudget / kBytesPerEntry;
    static constexpr int kProgressInterval = 1 << 14;

    // Iterations between two looks at the stop flag (and two progress reports) at bits: an
    // iteration's cost grows with the precision, so a look comes every few milliseconds at
    // any depth.
    static std::int64_t CheckInterval(long bits) {
        return std::clamp<std::int64_t>(std::int64_t(kProgressInterval) * 128 / std::max(bits, 1L),
                                        1, kProgressInterval);
    }

    // Z_0 = start, Z_{n+1} = Z_n² + c at bits, until the first iterate outside the escape bound
    // (kept), maxEntries entries or the budget. False when stop was set meanwhile.
    bool Compute(const BigFloat& startRe, const BigFloat& startIm, const BigFloat& cRe,
                 const BigFloat& cIm, std::int64_t maxEntries, long bits,
                 const std::atomic<bool>* stop, const OrbitProgress& progress);

    // The next Compute anywhere fails as if memory had run out, so that tests reach the paths a
    // real exhaustion takes.
    static void FailNextCompute() { failNext_.store(true, std::memory_order_relaxed); }

    std::int64_t Size() const { return std::int64_t(z_.size()); }
    double Re(std::int64_t m) const { return z_[std::size_t(m)].re; }
    double Im(std::int64_t m) const { return z_[std::size_t(m)].im; }
    // The entry with its full exponent, for entries too small for a double.
    const ComplexExp& Wide(std::int64_t m) const { return wide_[std::size_t(m)]; }

private:
    struct Entry {
        double re, im;
    };
    std::vector<Entry> z_;
    std::vector<ComplexExp> wide_;
    static inline std::atomic<bool> failNext_{false};
};

}  // namespace morvale
