// The working region of each fractal kind, in the order the document's value arrays hold it.
#pragma once

#include <array>

namespace morvale {

// A rectangle of the complex plane: real parts along x, imaginary parts along y.
struct PlaneBox {
    double xMin = 0.0;  // at pixel column 0
    double xMax = 0.0;  // at the column one past the device's width
    double yMin = 0.0;  // at sample row 0
    double yMax = 0.0;  // at the sample row one past the device's height
    bool operator==(const PlaneBox&) const = default;
};

// depth: the preset's depth, or the iteration limit in force when the region was zoomed.
struct JuliaRegion {
    PlaneBox box;    // XMIN, XMAX, YMIN, YMAX: the starting points z
    double p = 0.0;  // the constant c = p + qi
    double q = 0.0;
    double depth = 0.0;

    static JuliaRegion FromValues(const std::array<double, 7>& v) {
        return {{v[0], v[1], v[2], v[3]}, v[4], v[5], v[6]};
    }
    std::array<double, 7> Values() const {
        return {box.xMin, box.xMax, box.yMin, box.yMax, p, q, depth};
    }
};

struct MandelRegion {
    PlaneBox box;  // PMIN, PMAX, QMIN, QMAX: the points c
    double depth = 0.0;

    static MandelRegion FromValues(const std::array<double, 5>& v) {
        return {{v[0], v[1], v[2], v[3]}, v[4]};
    }
    std::array<double, 5> Values() const { return {box.xMin, box.xMax, box.yMin, box.yMax, depth}; }
};

}  // namespace morvale
