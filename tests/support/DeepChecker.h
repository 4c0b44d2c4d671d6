// The full-precision brute force a deep picture is checked against: every sampled pixel's exact
// point iterated at 64 bits more than the picture's working precision, with the plain loop's
// escape test and count.
#pragma once

#include <cstdint>

#include "view/deep/DeepRegion.h"

namespace morvale {

struct CheckedPixel {
    std::int64_t k = 0;  // iterates within the bound; limit: never escaped
    double m = 0.0;      // squared modulus of the first one outside
};

CheckedPixel CheckDeepPixel(const DeepRegion& region, int width, int height, int column,
                            int sampleRow, int limit);

}  // namespace morvale
