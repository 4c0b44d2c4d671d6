// A zoom request: its two corners in client pixels of the picture on the screen, as the document
// applies them. A drag gives whole pixels; a wheel zoom or a pan may fall between them.
#pragma once

namespace morvale {

struct ZoomRect {
    double x0 = 0.0;  // first corner: becomes the minima of the new region
    double y0 = 0.0;
    double x1 = 0.0;  // second corner: becomes the maxima
    double y1 = 0.0;
    bool operator==(const ZoomRect&) const = default;
};

}  // namespace morvale
