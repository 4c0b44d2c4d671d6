#include "view/tree/TreeStatus.h"

#include <charconv>

#include "view/tree/TreeGeometry.h"

namespace morvale {
namespace {

std::string Append(const char* prefix, const char* first, const char* last) {
    std::string text(prefix);
    text.append(first, last);
    return text;
}

}  // namespace

std::string FormatInt(const char* prefix, long long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return Append(prefix, digits, result.ptr);
}

std::string FormatOneDecimal(const char* prefix, double value) {
    // Wide enough for the largest double in fixed notation.
    char digits[330];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1);
    return Append(prefix, digits, result.ptr);
}

std::array<PaneSetting, 5> TreePaneSettings(const TreeReadout& r) {
    return {{
        {Pane::Readout, SBPS_NORMAL, 40, FormatInt("Äste: ", r.branches)},
        // Summed wide, so that the count shown from an extreme offset cannot wrap.
        {ParameterPane(0), SBPS_NORMAL, 75,
         FormatInt("Segmente: ", kSegmentBase + static_cast<long long>(r.segmentOffset))},
        {ParameterPane(1), SBPS_NORMAL, 40, FormatOneDecimal("rad: ", r.segmentLength)},
        {ParameterPane(2), SBPS_NORMAL, 40, FormatOneDecimal("dt: ", r.turnAngle)},
        {ParameterPane(3), SBPS_NORMAL, 55, FormatInt("Redux: ", r.redux)},
    }};
}

}  // namespace morvale
