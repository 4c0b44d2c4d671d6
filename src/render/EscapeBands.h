// An escape-time picture computed a band of rows at a time, so that a picture of any height needs
// memory for a band only.
#pragma once

#include "render/escape/EscapeKernel.h"

namespace morvale {

class EscapeBands {
public:
    // The client area is width × height; the scene covers its top left part, the rest stays the
    // background the view erases to.
    EscapeBands(const EscapeScene& scene, const EscapeColouring& colours, int width, int height,
                Pixel background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const EscapeScene& Scene() const { return scene_; }

    // Client rows [rowBegin, rowEnd) into band (at least as wide as the picture), its row 0 being
    // client row rowBegin: what a paint of the whole picture leaves in those rows.
    EscapeTally Render(int rowBegin, int rowEnd, const PixelSurface& band) const;

private:
    EscapeScene scene_;
    EscapeColouring colours_;
    int width_;
    int height_;
    Pixel background_;
};

}  // namespace morvale
