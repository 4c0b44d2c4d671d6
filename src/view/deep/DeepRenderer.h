// The deep escape-time drawing: the visible pixels of a region too fine for double precision,
// by perturbation against a full-precision reference, spread over all cores.
#pragma once

#include "doc/EscapeScene.h"
#include "view/deep/DeepPicture.h"
#include "view/escape/EscapeKernel.h"
#include "view/escape/EscapeProgress.h"

namespace morvale {

// scene gives the visible area, the iteration limit and the stop flag as for RenderEscapeTime;
// width × height is the device the region spans. Colours and counts follow the plain loop's
// rules. progress: rows as they finish; orbitProgress: the reference's iterations.
EscapeTally RenderDeepEscapeTime(const DeepRegion& region, int width, int height,
                                 const EscapeScene& scene, const EscapeColouring& colours,
                                 const PixelSurface& surface, EscapeProgress* progress = nullptr,
                                 const OrbitProgress& orbitProgress = {},
                                 DeepTimings* timings = nullptr);

}  // namespace morvale
