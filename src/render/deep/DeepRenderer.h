// The deep escape-time drawing: the visible pixels of a region too fine for double precision,
// by perturbation against a full-precision reference, spread over all cores.
#pragma once

#include "doc/EscapeScene.h"
#include "render/escape/EscapeKernel.h"
#include "render/escape/EscapeProgress.h"

namespace morvale {

// As RenderEscapeTime, for a scene with its deep part: the rows are those of the deep part's
// picture from the scene's first sample row on. Colours and counts follow the plain loop's rules.
EscapeTally RenderDeepEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                 const PixelSurface& surface, EscapeProgress* progress = nullptr);

}  // namespace morvale
