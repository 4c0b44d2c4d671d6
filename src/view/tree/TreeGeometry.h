// The arithmetic of the branching tree, free of any device: start angles, the turn rule, one
// step of an arm, the count of the next level and the pen colour by colour series.
#pragma once

#include <climits>
#include <cmath>
#include <optional>

#include "platform/Colour.h"

namespace morvale {

inline constexpr int kSegmentBase = 60;  // segments per arm at segment offset 0

struct TreePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TreePoint&, const TreePoint&) = default;
};

// Angle 0 points down (y grows), pi/2 to the right; radians. The constant is deliberately short.
inline double TreeStartAngle(int arm, int branches) {
    return (2.0 * arm) * 3.1415926535 / branches;
}

// -1 or +1 for one random number.
inline int TreeTurnDirection(int random, int turnRange, int turnThreshold) {
    const int residue = turnRange != 0 ? random % turnRange : random;
    return residue < turnThreshold ? -1 : 1;
}

// Truncation towards zero; values beyond int saturate instead of being undefined.
inline int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= double(INT_MIN)) return INT_MIN;
    if (value >= double(INT_MAX)) return INT_MAX;
    return int(value);
}

// One segment: x is truncated before y is computed, both from the previous integer point.
inline TreePoint TreeStep(double sine, double cosine, double length, TreePoint from) {
    const int x = TruncateToInt(sine * length + from.x);
    const int y = TruncateToInt(cosine * length + from.y);
    return {x, y};
}

inline TreePoint TreeStep(double angle, double length, TreePoint from) {
    return TreeStep(std::sin(angle), std::cos(angle), length, from);
}

// Segments per arm of the next level, or nothing when the count would not shrink (which also
// covers a divisor of 0): such a level keeps its arms but grows no sub-tree.
inline std::optional<int> TreeNextLevel(int segments, int redux) {
    if (redux == 0 || (redux == -1 && segments == INT_MIN)) return std::nullopt;
    const int next = segments / redux;
    if (next >= segments) return std::nullopt;
    return next;
}

// Pen colour of an arm with the given segment count, or nothing for an unknown series.
std::optional<COLORREF> TreeSegmentColour(int colourSeries, int segments);

}  // namespace morvale
