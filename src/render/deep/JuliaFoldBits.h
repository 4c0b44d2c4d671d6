// The precision a deep Julia picture needs where its orbits fold (plane/JuliaFolds.h).
#pragma once

#include "plane/FloatExp.h"
#include "render/deep/ReferenceOrbit.h"

namespace morvale {

// The precision a deep Julia picture's orbits need past their folds: after a fold the pixels lie
// apart by about the square of their spacing before it, and the reference must resolve that.
// Follows the reference's orbit from the picture's pixel step and reach (|offset| bound); 0 when
// the orbits neither spread out again after a fold nor escaped (an attracting cycle's pull).
long JuliaFoldBits(const ReferenceOrbit& orbit, FloatExp step, FloatExp reach, bool escaped);

}  // namespace morvale
