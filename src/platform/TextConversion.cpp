#include "platform/TextConversion.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <climits>
#include <string>

namespace morvale {
namespace {

locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return classic;
}

}  // namespace

double Atof(std::string_view text) {
    std::size_t length = 0;
    return Atof(text, length);
}

double Atof(std::string_view text, std::size_t& length) {
    const std::string copy(text);  // strtod needs a terminated string
    char* end = nullptr;
    const double value = strtod_l(copy.c_str(), &end, ClassicLocale());
    length = std::size_t(end - copy.c_str());
    return value;
}

int Atoi(std::string_view text) {
    const std::string copy(text);
    const long long value = strtoll_l(copy.c_str(), nullptr, 10, ClassicLocale());
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return int(value);
}

std::string ExactText(double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    return std::string(text, result.ptr);
}

}  // namespace morvale
