// The tree's readouts in the readout pane and the first four parameter panes.
#pragma once

#include <array>
#include <string>

#include "view/PaneWriter.h"

namespace morvale {

struct TreeReadout {
    int branches = 7;
    int segmentOffset = 0;
    double segmentLength = 3.0;
    double turnAngle = 0.1;
    int redux = 3;
};

// Numbers are formatted with "." as decimal point whatever the user's locale.
std::string FormatInt(const char* prefix, long long value);
std::string FormatOneDecimal(const char* prefix, double value);

std::array<PaneSetting, 5> TreePaneSettings(const TreeReadout& readout);

}  // namespace morvale
