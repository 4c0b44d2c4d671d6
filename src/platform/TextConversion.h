// Text to number conversions with the C library's atof/atoi rules in the classic locale,
// whatever locale the process runs in.
#pragma once

#include <string>
#include <string_view>

namespace morvale {

// Leading white space, optional sign, the longest numeric prefix (decimal with "." and exponent,
// hexadecimal, "inf", "nan"); 0.0 when there is none.
double Atof(std::string_view text);
// Atof, and how many characters of text its prefix took (white space and sign included).
double Atof(std::string_view text, std::size_t& length);

// Leading white space, optional sign, decimal digits up to the first other character; 0 when
// there are none. Values outside int saturate to INT_MIN or INT_MAX.
int Atoi(std::string_view text);

// 17 significant digits: Atof gives back exactly the same double.
std::string ExactText(double value);

}  // namespace morvale
