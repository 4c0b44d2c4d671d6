// One view of an escape-time picture: what the history keeps and what a view request draws
// again. The colour series is not part of it.
#pragma once

#include <memory>

#include "plane/DeepRegion.h"
#include "plane/PlaneRegion.h"

namespace morvale {

struct PlaneView {
    bool julia = false;
    PlaneBox box;
    double p = 0.0;  // the Julia constant; 0 for a Mandelbrot view
    double q = 0.0;
    int limit = 0;  // iteration limit
    // The region at full precision; null for a view known by its doubles only.
    std::shared_ptr<const DeepRegion> deep = nullptr;

    bool operator==(const PlaneView& other) const {
        if (julia != other.julia || p != other.p || q != other.q || limit != other.limit ||
            box.xMin != other.box.xMin || box.xMax != other.box.xMax ||
            box.yMin != other.box.yMin || box.yMax != other.box.yMax ||
            bool(deep) != bool(other.deep))
            return false;
        for (int i = 0; deep && i < 6; ++i)
            if (!(deep->Value(i) == other.deep->Value(i))) return false;
        return true;
    }
};

}  // namespace morvale
