#include "cli/WholeNumber.h"

#include <charconv>
#include <limits>

#include "platform/QuotedText.h"

namespace morvale {

std::string ParseWholeNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ptr != end) return QuotedText(text) + " ist keine ganze Zahl";
    if (ec != std::errc::result_out_of_range) return {};
    if (text.front() == '-')
        return QuotedText(text) + " ist zu klein (mindestens " +
               std::to_string(std::numeric_limits<int>::min()) + ")";
    return QuotedText(text) + " ist zu groß (höchstens " +
           std::to_string(std::numeric_limits<int>::max()) + ")";
}

}  // namespace morvale
