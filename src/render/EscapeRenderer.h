// The production escape-time drawing: the double path, or the deep path where the scene carries a
// deep part; only the visible pixels, spread over all cores.
#pragma once

#include "platform/CDC.h"
#include "render/escape/EscapeKernel.h"
#include "render/escape/EscapeProgress.h"

namespace morvale {

// Palette entries and black as dc draws them (its fractal palette realised), for series.
EscapeColouring ColouringFromDevice(const CDC& dc, int series);

// Computes every visible pixel of the scene into surface, bands of rows taken dynamically by
// all cores. Iteration limits of 0 and below draw the picture the plain loop draws without
// iterating: black for 0, colour index 0 of the series below 0.
// With progress: each band is marked when done, and its stop flag (which the scene must carry)
// leaves the bands not yet finished as they are.
EscapeTally RenderEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                             const PixelSurface& surface,
                             EscapeStrategy strategy = EscapeStrategy::Automatic,
                             EscapeProgress* progress = nullptr);

}  // namespace morvale
