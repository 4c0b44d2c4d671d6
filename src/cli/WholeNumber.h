// Whole numbers on the command line, with a reason that tells a malformed number from one that
// is whole but out of range.
#pragma once

#include <string>

namespace morvale {

// Empty when text is a whole number within int; otherwise "„text“ ist keine ganze Zahl", or that
// it is too large or too small, with the limit.
std::string ParseWholeNumber(const std::string& text, int& value);

}  // namespace morvale
