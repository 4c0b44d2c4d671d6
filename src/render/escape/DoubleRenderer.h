// The escape-time drawing in double precision: only the visible pixels, vectorised, spread over
// all cores.
#pragma once

#include "render/escape/EscapeKernel.h"
#include "render/escape/EscapeProgress.h"

namespace morvale {

// RenderEscapeTime's double path: the scene's deep part, if any, is not looked at.
EscapeTally RenderDoubleEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                   const PixelSurface& surface, EscapeStrategy strategy,
                                   EscapeProgress* progress);

}  // namespace morvale
