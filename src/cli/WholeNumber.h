// Whole numbers on the command line, with a reason that tells a malformed number from one that
// is whole but out of range.
#pragma once

#include <charconv>
#include <string>

namespace morvale {

// Empty when text is a whole number within int; otherwise "„text“ ist keine ganze Zahl", or that
// it is too large or too small, with the limit.
std::string ParseWholeNumber(const std::string& text, int& value);

// True when the whole text is one number of T within its range (classic notation, any locale).
template <class T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace morvale
