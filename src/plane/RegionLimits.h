// How deep and how far a picture may go: the bounds every way into a region is checked against
// (command line, texts, kept views, zooms), each answered with a German reason.
#pragma once

#include <string>
#include <string_view>

#include "plane/DeepRegion.h"

namespace morvale {

// The largest device side (the most PNG readers take) and the largest coordinate magnitude (a
// finite double), in bits.
inline constexpr long kMaxSideBits = 20;
inline constexpr long kMaxCoordinateBits = 1024;

// The deepest plane height the program draws, as a power of ten: its pixel step on the tallest
// device, among coordinates as large as a double holds, still fits the precision cap. Rounded
// down to thousands, so that it reads well.
inline constexpr int kDeepestHeightExponent =
    -int(
        double(DeepRegion::kMaxBits - DeepRegion::kMarginBits - kMaxCoordinateBits - kMaxSideBits) *
        0.30102999566398120 / 1000.0) *
    1000;

// "1e-315000".
std::string DeepestHeightText();

// The whole text is one decimal number: an optional sign, digits with an optional point (at
// least one digit), an optional exponent. No white space, "inf", "nan" or hexadecimal.
bool IsDecimalNumber(std::string_view text);

// Why a plane height cannot be drawn, in German after the option's name; empty when it can: a
// decimal number above 0, no larger than a double holds, and not below the deepest height.
std::string HeightProblem(std::string_view text);
// The same for one coordinate of a centre: a decimal number a double holds without overflow.
std::string CoordinateProblem(std::string_view text);

// Why a region cannot be drawn; empty when it can. Every bound (and a Julia constant) must be a
// finite number within a double's range, and a width or height other than 0 no smaller than the
// deepest height.
std::string RegionProblem(const DeepRegion& region);

}  // namespace morvale
