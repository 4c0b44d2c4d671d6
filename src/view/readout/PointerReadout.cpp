#include "view/readout/PointerReadout.h"

#include <charconv>
#include <cmath>

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"

namespace morvale {
namespace {

// %f in the classic locale; to_chars never consults the locale.
void AppendFixed(std::string& out, double value) {
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-nan" : "nan";
        return;
    }
    char buffer[400];  // DBL_MAX has 309 integer digits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

constexpr int kReadoutPane = 1;
constexpr int kCoordinateWidth = 72;  // pixels
constexpr int kBranchWidth = 40;
constexpr const char* kBlankReadout = "        ";

// The region (min x, max x, min y, max y) of the picture on the screen, or null without a kind.
const double* ShownRegion(const CMorvale1Doc& doc) {
    if (doc.FractalKind == kKindJulia) return doc.JuliaValues.data();
    if (doc.FractalKind == kKindMandelbrot) return doc.MandelValues.data();
    return nullptr;
}

// Plane coordinate of a pixel along one axis; pixels counts the whole device, not the window.
// Before the first paint there is no device: every pixel reads the minimum, as the document's
// zero step would draw it.
double PlaneAt(int pixel, double min, double max, int pixels) {
    if (pixels <= 0) return min;
    return double(pixel) * (max - min) / double(pixels) + min;
}

void SetReadout(IMainFrame* frame, UINT style, int width, const std::string& text) {
    if (!frame) return;
    frame->SetPaneInfo(kReadoutPane, 0, style, width);
    frame->SetPaneText(kReadoutPane, text, true);
}

}  // namespace

std::string FormatPlanePoint(double x, double y) {
    std::string text = "(";
    AppendFixed(text, x);
    text += ';';
    AppendFixed(text, y);
    text += ") ";
    return text;
}

std::string FormatBranchCount(int branches) {
    return "Äste: " + std::to_string(branches);
}

// Pane 1: plane coordinates over a drawn picture, the branch count in tree mode, blanks otherwise.
void ShowPointerReadout(CFractalView& view, CPoint point) {
    const CMorvale1Doc& doc = *view.GetDocument();
    IMainFrame* frame = view.GetMainFrame();
    if (doc.Drawn == 1) {
        const double* region = ShownRegion(doc);
        if (!region) return;
        const double x = PlaneAt(point.x, region[0], region[1], view.PictureWidth);
        const double y = PlaneAt(point.y + kHiddenRows, region[2], region[3], view.PictureHeight);
        SetReadout(frame, SBPS_STRETCH, kCoordinateWidth, FormatPlanePoint(x, y));
    } else if (view.ViewMode == kViewTree) {
        view.BranchText = FormatBranchCount(view.Branches);
        SetReadout(frame, SBPS_NORMAL, kBranchWidth, view.BranchText);
    } else {
        SetReadout(frame, SBPS_STRETCH, kCoordinateWidth, kBlankReadout);
    }
}

}  // namespace morvale
