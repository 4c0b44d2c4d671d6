// Where a Julia picture's orbits fold: near 0 the square of an orbit's spread is added to c, and
// once that spread is below what double resolves next to its sum the pixels' orbits merge, however
// far apart the pixels themselves lie. Around 0 and its preimages this happens long before the
// pixel step itself is too fine.
#pragma once

#include "plane/DeepRegion.h"

namespace morvale {

// Whether double loses the pixels of a Julia picture on a width × height device apart somewhere
// along the orbits of its first `limit` iterations, and the orbits then spread out again (escape,
// or a spread that grows back above the loss), so the loss shows in the counts. Follows the
// centre's orbit in double with the picture's spread around it and the spacing of its nearest
// pixels to 0.
bool JuliaOrbitsFold(const DeepRegion& region, int width, int height, int limit);

}  // namespace morvale
