// The public benchmark locations that deep-zoom renderers share (zoom 1e50 to 1e1086), each a
// centre, a plane height and its published iteration limit.
#pragma once

#include <vector>

namespace morvale::deep_locations {

struct PublicLocation {
    const char* name;    // the zoom it is published at
    const char* height;  // plane height of the visible picture
    int limit;
    const char* re;
    const char* im;
};

const std::vector<PublicLocation>& PublicLocations();

}  // namespace morvale::deep_locations
