// Published deep-zoom locations (centre and plane height) the deep path is measured and checked
// on. Centres with more digits than a depth needs are simply read at that depth's precision.
#pragma once

#include <string>

namespace morvale::deep_locations {

struct Location {
    const char* name;
    bool julia;
    std::string re, im;
    const char* height;  // plane height of the visible picture
    const char* p;       // Julia constant
    const char* q;
    int limit;
};

// The "deep dive 02" view of the ckormanyos/mandelbrot gallery (half-width 2.55e-55).
inline const char* kDeepDiveRe = "-1.295189082147777457017064177185681926706566460884888469217456";
inline const char* kDeepDiveIm = "0.440936982678320138880903678356262612113214627431396203682661";

// The "deep dive 01" view of the same gallery (half-width 1.25e-107).
inline const char* kNeedleRe =
    "-1."
    "99999999913827011875827476290869498831680913663682095950680227271547027727918984035447670553"
    "861909622481524124";
inline const char* kNeedleIm =
    "0.0000000000000131489544350763757513624756680650500215170052091209570944934353054899402752459"
    "4471095886432006";

// The "very deep" centre of the same gallery, shown there at 1e-311 and 1e-612 and published
// with enough digits for zooms to about 1e-1090.
std::string VeryDeepRe();
std::string VeryDeepIm();

}  // namespace morvale::deep_locations
