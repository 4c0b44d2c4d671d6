// The geometry of wheel zoom and pan as zoom requests: corners in client pixels of the picture on
// the screen, which the document applies as it applies a drag's (so zooms nest the same way).
#pragma once

#include "plane/ZoomRect.h"

namespace morvale {

// The device the picture on the screen was computed for, in pixels.
struct DeviceExtent {
    int width = 0;
    int height = 0;
};

// The zoom factor of a wheel turn: 120 units (one notch) forward zoom in by 2.
double WheelFactor(double angleDelta);

// Zoom by `factor` (> 1 in, < 1 out) about the client point (x, y): the plane point there stays
// there.
ZoomRect ZoomAbout(DeviceExtent device, double x, double y, double factor);

// The picture moved by (dx, dy) client pixels: what was at p is now at p + (dx, dy).
ZoomRect ShiftBy(DeviceExtent device, double dx, double dy);

// Where a client point of the picture a zoom produces lies in the picture it was made on:
// old = offset + scale · new, per axis.
struct PixelMapping {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};
PixelMapping MappingOf(const ZoomRect& zoom, DeviceExtent device);

}  // namespace morvale
