// Random deep views for checking the deep path away from the places its own tests chose:
// Mandelbrot views at preperiodic boundary points (Newton's method for random preperiods and
// periods), and Julia views at points of the Julia set (inverse iteration) for constants whose
// critical orbit escapes, is attracted by a cycle, or is preperiodic, and around 0 and its
// preimages. Heights are log-uniform between the given bounds.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace morvale {

struct RandomView {
    std::string kind;  // what the centre is, for the table
    bool julia = false;
    std::string re, im, height, p, q;
    int limit = 0;
};

// A point of the Julia set of c = p + qi (decimal texts) to `digits` significant digits, by
// inverse iteration from seed: its real and imaginary texts.
std::pair<std::string, std::string> JuliaSetPoint(const std::string& p, const std::string& q,
                                                  int digits, std::uint64_t seed);

// count views from seed; heights 10^-minDigits .. 10^-maxDigits.
std::vector<RandomView> RandomViews(std::uint64_t seed, int count, int minDigits, int maxDigits);

}  // namespace morvale
