// The shortest decimal text of a pixel's plane coordinate that still names that pixel: read back
// (classic locale, full precision) it lies closer to this pixel's sample than to any neighbour's.
#pragma once

#include <string>

#include "plane/BigFloat.h"

namespace morvale {

// value: the pixel's coordinate; step: the distance to the neighbouring pixel's along its axis.
// A zero or non-finite step keeps every digit.
std::string ShortestDecimal(double value, double step);
std::string ShortestDecimal(const BigFloat& value, const BigFloat& step);

}  // namespace morvale
