// The scene an escape-time drawing computes from, taken from the document's prepared values.
#pragma once

#include <optional>

#include "doc/EscapeScene.h"
#include "platform/PixelSurface.h"

namespace morvale {

class CMorvale1Doc;

// What the prepared values draw on a device of PictureWidth × PictureHeight whose visible client
// area is `visible`; none before a kind is chosen. A picture finer than double resolves carries
// the deep part made from the document's full-precision region.
std::optional<EscapeScene> DocumentScene(const CMorvale1Doc& doc, const PixelSurface& visible);

}  // namespace morvale
