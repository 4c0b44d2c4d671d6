// One view of an escape-time picture: what the history keeps and what a view request draws
// again. The colour series is not part of it.
#pragma once

#include "doc/PlaneRegion.h"

namespace morvale {

struct PlaneView {
    bool julia = false;
    PlaneBox box;
    double p = 0.0;  // the Julia constant; 0 for a Mandelbrot view
    double q = 0.0;
    int limit = 0;  // iteration limit
    bool operator==(const PlaneView&) const = default;
};

}  // namespace morvale
