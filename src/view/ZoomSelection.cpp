// Zoom selection with the left button and the pointer readout in status pane 1.
#include <memory>

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"
#include "view/PointerReadout.h"

namespace morvale {
namespace {

constexpr int kReadoutPane = 1;
constexpr int kCoordinateWidth = 72;  // pixels
constexpr int kBranchWidth = 40;
constexpr const char* kBlankReadout = "        ";
constexpr COLORREF kZoomFrameColour = RGB(255, 0, 0);

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

// The red frame left on the picture at release, in normal copying mode.
void DrawZoomFrame(CDC& dc, const CRect& frame) {
    CBrush* oldBrush = dc.SelectStockBrush(NULL_BRUSH);
    CPen redPen(PS_SOLID, 1, kZoomFrameColour);
    CPen* oldPen = dc.SelectObject(&redPen);
    dc.Rectangle(frame.left, frame.top, frame.right, frame.bottom);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
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

}  // namespace

void CFractalView::OnLButtonDown(UINT, CPoint point) {
    DragAnchor = DragCurrent = point;
    Dragging = 1;
    if (CaptureMouse) SetCapture();
}

void CFractalView::OnMouseMove(UINT, CPoint point) {
    if (Dragging) {
        const std::unique_ptr<CDC> dc = GetClientDC();
        if (dc) DrawDragFrame(dc.get());  // erases the frame at the old corner
        DragCurrent = point;
        if (dc) DrawDragFrame(dc.get());
    }
    ShowPointerReadout(*this, point);
}

void CFractalView::OnLButtonUp(UINT, CPoint point) {
    if (Dragging) {
        Dragging = 0;
        ZoomRequest = 1;
        if (HasCapture()) ReleaseCapture();
        ZoomFrame = {DragAnchor.x, DragAnchor.y, point.x, point.y};
        if (const std::unique_ptr<CDC> dc = GetClientDC()) {
            DrawDragFrame(dc.get());
            DrawZoomFrame(*dc, ZoomFrame);
        }
    }
    ZoomFrom = DragAnchor;
    ZoomTo = point;
    GetDocument()->SetZoom(ZoomFrom.x, ZoomFrom.y, ZoomTo.x, ZoomTo.y, ZoomRequest);
}

void CFractalView::DrawDragFrame(CDC* dc) {
    const int previousMode = dc->SetROP2(R2_NOT);
    CBrush* oldBrush = dc->SelectStockBrush(NULL_BRUSH);
    dc->Rectangle(DragAnchor.x, DragAnchor.y, DragCurrent.x, DragCurrent.y);
    dc->SelectObject(oldBrush);
    dc->SetROP2(previousMode);
}

}  // namespace morvale
