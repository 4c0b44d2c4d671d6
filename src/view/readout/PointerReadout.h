// The pointer readout in the readout status pane. Its texts never depend on the process
// locale, so a German desktop still shows "." as the decimal point.
#pragma once

#include <optional>
#include <string>

#include "platform/CDC.h"

namespace morvale {

class CFractalView;

// "(%f;%f) ": six decimals each, as the C library prints them in the classic locale.
std::string FormatPlanePoint(double x, double y);

// The plane point the readout shows at a client pixel: none unless a picture of a chosen kind
// is drawn.
struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};
std::optional<PlanePoint> PlanePointUnder(const CFractalView& view, CPoint point);

// "RE,IM", the point as `morvale-render --centre` takes it: each coordinate the shortest decimal
// that still names the pixel (read back, it is nearer this pixel's sample than any other's), at
// full precision on a deep picture. Empty without a picture.
std::string PointText(const CFractalView& view, CPoint point);

// "Äste: %d" (UTF-8).
std::string FormatBranchCount(int branches);

// The readout pane: plane coordinates over a drawn picture, the branch count in tree mode, blanks
// otherwise.
void ShowPointerReadout(CFractalView& view, CPoint point);

}  // namespace morvale
