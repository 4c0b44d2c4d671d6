// The full-precision count a deep picture is checked against. It stands on its own: it samples
// each pixel's point from the region's bounds itself, reads the Julia constant from its text, and
// takes its precision from the picture's pixel step and iteration limit. It then counts again at
// twice the precision and raises the precision until both counts agree, so a count it returns does
// not depend on the precision it was found at. A pixel whose count keeps changing with the
// precision (a point on a repelling cycle, such as c = i, whose rounding decides when it leaves)
// has no full-precision count: it is reported unsettled.
#pragma once

#include <cstdint>
#include <string>

#include "plane/DeepRegion.h"

namespace morvale {

struct CheckedPixel {
    std::int64_t k = 0;  // iterates within the bound; limit: never escaped
    double m = 0.0;      // squared modulus of the first one outside
    long bits = 0;       // the precision both agreeing counts were found at (the lower one)
    bool settled = true;
};

struct CheckedView {
    DeepRegion region;  // its bounds; pixel (column, sample row) samples them as the picture does
    std::string p, q;   // the Julia constant's texts
    int width = 0;      // device pixels
    int height = 0;     // device sample rows
    int limit = 0;
};

// The first precision tried: the pixel step's binary orders below the largest magnitude, 64 bits
// of margin and 4 bits per binary order of the limit for rounding errors the orbit amplifies; at
// least 64 bits beyond the bounds' own, so the sample points are the bounds' exact ones.
long CheckerBits(const CheckedView& view);

CheckedPixel CheckDeepPixel(const CheckedView& view, int column, int sampleRow);

}  // namespace morvale
