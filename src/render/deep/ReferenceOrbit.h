// The orbit of one point at full precision, stored rounded: the reference every pixel of a deep
// picture iterates its small offset against.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
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

// How long a reference may grow: entries (the limit) and bytes (its share of the budget).
struct OrbitCap {
    std::int64_t entries = 0;
    std::int64_t bytes = 0;
};

class ReferenceOrbit {
public:
    // An entry is two doubles. One too small for a double (the orbit of a nucleus comes back
    // to 0 once a period) also keeps its full value aside.
    static constexpr std::int64_t kBytesPerEntry = 16;
    static constexpr std::int64_t kBytesPerWideEntry = kBytesPerEntry + 32;
    static constexpr int kProgressInterval = 1 << 14;
    // Copies of the last entry kept after it: vector code reads a few entries at once.
    static constexpr std::int64_t kSpare = 7;

    // Iterations between two looks at the stop flag (and two progress reports) at bits: an
    // iteration's cost grows with the precision, so a look comes every few milliseconds at
    // any depth.
    static std::int64_t CheckInterval(long bits) {
        return std::clamp<std::int64_t>(std::int64_t(kProgressInterval) * 128 / std::max(bits, 1L),
                                        1, kProgressInterval);
    }

    // The most entries an orbit under the cap holds.
    static std::int64_t Length(OrbitCap cap) {
        return std::max<std::int64_t>(std::min(cap.entries, cap.bytes / kBytesPerEntry), 1);
    }

    // Z_0 = start, Z_{n+1} = Z_n² + c at bits, until the first iterate outside the escape bound
    // (kept) or the cap. False when stop was set meanwhile.
    bool Compute(const BigFloat& startRe, const BigFloat& startIm, const BigFloat& cRe,
                 const BigFloat& cIm, OrbitCap cap, long bits, const std::atomic<bool>* stop,
                 const OrbitProgress& progress);

    // The next Compute anywhere fails as if memory had run out, so that tests reach the paths a
    // real exhaustion takes.
    static void FailNextCompute() { failNext_.store(true, std::memory_order_relaxed); }

    std::int64_t Size() const { return size_; }
    // The last entry lies outside the escape bound: the orbit did not end at its cap.
    bool Escaped() const { return escaped_; }
    std::int64_t Bytes() const {
        return Size() * kBytesPerEntry +
               std::int64_t(wide_.size()) * (kBytesPerWideEntry - kBytesPerEntry);
    }
    double Re(std::int64_t m) const { return z_[std::size_t(m)].re; }
    double Im(std::int64_t m) const { return z_[std::size_t(m)].im; }
    // Entry m's parts at 2m and 2m + 1, and kSpare entries after the last.
    const double* Data() const { return reinterpret_cast<const double*>(z_.data()); }
    // The entry with its full exponent, for entries too small for a double.
    ComplexExp Wide(std::int64_t m) const {
        const Entry& z = z_[std::size_t(m)];
        if (!Tiny(z.re, z.im)) [[likely]]
            return ComplexExp::From(z.re, z.im);
        return std::lower_bound(wide_.begin(), wide_.end(), m,
                                [](const WideEntry& w, std::int64_t at) { return w.at < at; })
            ->z;
    }

private:
    struct Entry {
        double re, im;
    };
    struct WideEntry {
        std::int64_t at;
        ComplexExp z;
    };
    static bool Tiny(double re, double im) {
        return std::fabs(re) <= 1e-290 && std::fabs(im) <= 1e-290 && (re != 0 || im != 0);
    }
    void Add(double re, double im) {
        z_.push_back({re, im});
        ++size_;
    }
    void AddSpares() {
        const Entry last = z_.empty() ? Entry{} : z_.back();
        z_.insert(z_.end(), std::size_t(kSpare), last);
    }
    std::vector<Entry> z_;
    std::int64_t size_ = 0;
    std::vector<WideEntry> wide_;  // the tiny entries, by index
    bool escaped_ = false;
    static inline std::atomic<bool> failNext_{false};
};

}  // namespace morvale
