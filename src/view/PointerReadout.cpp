#include "view/PointerReadout.h"

#include <charconv>
#include <cmath>

namespace morvale {
namespace {

// %f in the classic locale; to_chars never consults the locale.
void AppendFixed(std::string& out, double value) {
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-nan" : "nan";
        return;
    }
    char buffer[400];  // DBL_MAX has 309 integer digits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

}  // namespace

std::string FormatPlanePoint(double x, double y) {
    std::string text = "(";
    AppendFixed(text, x);
    text += ';';
    AppendFixed(text, y);
    text += ") ";
    return text;
}

std::string FormatBranchCount(int branches) {
    return "Äste: " + std::to_string(branches);
}

}  // namespace morvale
