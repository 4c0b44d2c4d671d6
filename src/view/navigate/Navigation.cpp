#include "view/navigate/Navigation.h"

#include <cmath>

#include "doc/EscapeScene.h"

namespace morvale {

double WheelFactor(double angleDelta) {
    return std::exp2(angleDelta / 120.0);
}

// Rows are measured from sample row 0, kHiddenRows above client row 0, in every formula here:
// the document adds them to the corners before it scales.
ZoomRect ZoomAbout(DeviceExtent device, double x, double y, double factor) {
    const double scale = 1.0 / factor;
    const double x0 = x - x * scale;
    const double y0 = y - (y + kHiddenRows) * scale;
    return {x0, y0, x0 + device.width * scale, y0 + device.height * scale};
}

ZoomRect ShiftBy(DeviceExtent device, double dx, double dy) {
    const double x0 = -dx;
    const double y0 = -dy - kHiddenRows;
    return {x0, y0, x0 + device.width, y0 + device.height};
}

PixelMapping MappingOf(const ZoomRect& zoom, DeviceExtent device) {
    const double scaleX = (zoom.x1 - zoom.x0) / device.width;
    const double scaleY = (zoom.y1 - zoom.y0) / device.height;
    return {scaleX, scaleY, zoom.x0, zoom.y0 + kHiddenRows * scaleY};
}

}  // namespace morvale
