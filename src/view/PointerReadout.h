// Texts of the pointer readout in status pane 1. They never depend on the process locale, so a
// German desktop still shows "." as the decimal point.
#pragma once

#include <string>

namespace morvale {

// "(%f;%f) ": six decimals each, as the C library prints them in the classic locale.
std::string FormatPlanePoint(double x, double y);

// "Äste: %d" (UTF-8).
std::string FormatBranchCount(int branches);

}  // namespace morvale
