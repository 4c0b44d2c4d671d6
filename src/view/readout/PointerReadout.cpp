#include "view/readout/PointerReadout.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>

#include "doc/Morvale1Doc.h"
#include "platform/TextConversion.h"
#include "view/FractalView.h"
#include "view/readout/ShortestDecimal.h"

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

constexpr int kCoordinateWidth = 72;  // pixels
constexpr int kBranchWidth = 40;
constexpr const char* kBlankReadout = "        ";

// Plane coordinate of a pixel along one axis; pixels counts the whole device, not the window.
// Before the first paint there is no device: every pixel reads the minimum, as the document's
// zero step would draw it.
double PlaneAt(int pixel, double min, double max, int pixels) {
    if (pixels <= 0) return min;
    return double(pixel) * (max - min) / double(pixels) + min;
}

void SetReadout(IMainFrame* frame, PaneStyle style, int width, const std::string& text) {
    if (!frame) return;
    frame->SetPaneInfo(PaneIndex(Pane::Readout), 0, style, width);
    frame->SetPaneText(PaneIndex(Pane::Readout), text, true);
}

// The full-precision region of the picture on the screen, when it was drawn deep.
const DeepRegion* ShownDeepRegion(const CFractalView& view) {
    const CMorvale1Doc& doc = *view.GetDocument();
    if (doc.Drawn != 1 || view.PictureWidth <= 0 || view.PictureHeight <= 0) return nullptr;
    if (doc.FractalKind == Fractal::Julia && doc.JuliaIsDeep) return &doc.JuliaDeep;
    if (doc.FractalKind == Fractal::Mandelbrot && doc.MandelIsDeep) return &doc.MandelDeep;
    return nullptr;
}

// The readout pane shows far fewer digits; formatting all of a picture near the deepest height
// would take a tenth of a second on every pointer move.
constexpr int kReadoutDigits = 400;

// "(RE;IM) " with the digits that tell the pixel from its neighbours, or as many fewer as the
// pane holds, each coordinate rounded to them.
void ShowDeepReadout(IMainFrame& frame, const DeepRegion& region, const CFractalView& view,
                     CPoint point) {
    constexpr int kFewestDigits = 3;
    const int width = view.PictureWidth, height = view.PictureHeight;
    const int digits = std::min(region.PixelDigits(width, height), kReadoutDigits);
    const DeepPoint p = region.Sample(width, height, point.x, point.y + kHiddenRows,
                                      region.WorkingBits(width, height));
    frame.SetPaneInfo(PaneIndex(Pane::Readout), 0, SBPS_STRETCH, kCoordinateWidth);
    frame.SetPaneFittingText(
        PaneIndex(Pane::Readout),
        {[p](int n) {
             std::string text = "(";
             return text.append(p.re.General(n)).append(";").append(p.im.General(n)).append(") ");
         },
         std::min(kFewestDigits, digits), digits});
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

std::optional<PlanePoint> PlanePointUnder(const CFractalView& view, CPoint point) {
    const CMorvale1Doc& doc = *view.GetDocument();
    if (doc.Drawn != 1) return std::nullopt;
    // The region of the picture on the screen, as the value arrays hold it.
    const std::optional<PlaneBox> box = doc.ChosenBox();
    if (!box) return std::nullopt;
    return PlanePoint{PlaneAt(point.x, box->xMin, box->xMax, view.PictureWidth),
                      PlaneAt(point.y + kHiddenRows, box->yMin, box->yMax, view.PictureHeight)};
}

std::string FormatBranchCount(int branches) {
    return "Äste: " + std::to_string(branches);
}

std::string PointText(const CFractalView& view, CPoint shown) {
    const CPoint point = view.DrawnPixelAt(shown);
    const int width = view.PictureWidth, height = view.PictureHeight;
    if (const DeepRegion* deep = ShownDeepRegion(view)) {
        const long bits = deep->WorkingBits(width, height);
        const DeepPoint p = deep->Sample(width, height, point.x, point.y + kHiddenRows, bits);
        return ShortestDecimal(p.re, deep->StepX(width, bits)) + "," +
               ShortestDecimal(p.im, deep->StepY(height, bits));
    }
    const std::optional<PlanePoint> plane = PlanePointUnder(view, point);
    const std::optional<PlaneBox> box = view.GetDocument()->ChosenBox();
    if (!plane || !box) return {};
    const double stepX = width > 0 ? (box->xMax - box->xMin) / width : 0.0;
    const double stepY = height > 0 ? (box->yMax - box->yMin) / height : 0.0;
    return ShortestDecimal(plane->x, stepX) + "," + ShortestDecimal(plane->y, stepY);
}

void ShowPointerReadout(CFractalView& view, CPoint shown) {
    const CPoint point = view.DrawnPixelAt(shown);
    const CMorvale1Doc& doc = *view.GetDocument();
    IMainFrame* frame = view.GetMainFrame();
    if (const DeepRegion* deep = ShownDeepRegion(view)) {
        if (frame) ShowDeepReadout(*frame, *deep, view, point);
    } else if (doc.Drawn == 1) {
        const std::optional<PlanePoint> plane = PlanePointUnder(view, point);
        if (!plane) return;
        SetReadout(frame, SBPS_STRETCH, kCoordinateWidth, FormatPlanePoint(plane->x, plane->y));
    } else if (view.ViewMode == Drawing::Tree) {
        view.BranchText = FormatBranchCount(view.Branches);
        SetReadout(frame, SBPS_NORMAL, kBranchWidth, view.BranchText);
    } else {
        SetReadout(frame, SBPS_STRETCH, kCoordinateWidth, kBlankReadout);
    }
}

}  // namespace morvale
