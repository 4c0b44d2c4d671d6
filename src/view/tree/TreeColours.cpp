#include <array>

#include "view/tree/TreeGeometry.h"

namespace morvale {
namespace {

// Series 1 to 6: one colour for the whole tree.
constexpr std::array<COLORREF, 6> kSeriesColours = {
    RGB(0, 128, 0), RGB(128, 0, 0), RGB(0, 0, 128), RGB(0, 255, 0), RGB(255, 0, 0), RGB(0, 0, 255),
};

// Series 7: by the segment count of the arm; the first row whose bound the count stays below.
struct LevelColour {
    int below;
    COLORREF colour;
};
constexpr std::array<LevelColour, 3> kLevelColours = {{
    {4, RGB(255, 0, 0)},
    {13, RGB(0, 128, 0)},
    {40, RGB(0, 255, 0)},
}};
constexpr COLORREF kLongArmColour = RGB(255, 255, 0);

}  // namespace

std::optional<COLORREF> TreeSegmentColour(int colourSeries, int segments) {
    if (colourSeries >= 1 && colourSeries <= int(kSeriesColours.size()))
        return kSeriesColours[std::size_t(colourSeries - 1)];
    if (colourSeries != 7) return std::nullopt;
    for (const LevelColour& level : kLevelColours)
        if (segments < level.below) return level.colour;
    return kLongArmColour;
}

}  // namespace morvale
