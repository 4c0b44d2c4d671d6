// A reference that outlives the picture's pixels. A reference that escapes before the limit
// leaves every pixel that lives longer to go on from the orbit's start with a large offset, in
// plain double, which loses the fine structure such pixels are counted in. The nucleus of the
// smallest minibrot whose atom domain holds the picture never escapes: its orbit comes back to 0
// every period, where each pixel near it rebases with a small offset.
#pragma once

#include <atomic>
#include <optional>

#include "plane/DeepRegion.h"
#include "plane/FloatExp.h"
#include "render/deep/ReferenceOrbit.h"

namespace morvale {

// The first period p at which the disc of radius `reach` around the orbit's point maps over 0
// (|Z_p| < |dZ_p/dc| · reach); 0 when the orbit ends first.
std::int64_t AtomPeriod(const ReferenceOrbit& orbit, FloatExp reach);

// Newton's method for the nucleus of period p from `start`, at bits; none when it leaves the
// neighbourhood of `start` (8 · reach) or does not settle within a few steps, or stop was set.
std::optional<DeepPoint> FindNucleus(const DeepPoint& start, std::int64_t period, FloatExp reach,
                                     long bits, const std::atomic<bool>* stop);

}  // namespace morvale
