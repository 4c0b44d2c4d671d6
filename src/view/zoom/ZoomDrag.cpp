// Zoom selection with the left button: the inverting drag frame, the red frame and the zoom
// request handed to the document.
#include <cstdlib>
#include <memory>

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"
#include "view/readout/PointerReadout.h"

namespace morvale {
namespace {

constexpr COLORREF kZoomFrameColour = RGB(255, 0, 0);
constexpr int kClickSlop = 2;  // pixels a click may move in each axis

bool IsClick(CPoint press, CPoint release) {
    return std::llabs(0LL + release.x - press.x) <= kClickSlop &&
           std::llabs(0LL + release.y - press.y) <= kClickSlop;
}

}  // namespace

void CFractalView::OnLButtonDown(UINT, CPoint point) {
    DragAnchor = DragCurrent = point;
    Dragging = 1;
    if (CaptureMouse) SetCapture();
}

void CFractalView::OnMouseMove(UINT, CPoint point) {
    if (Dragging) MoveDragFrame(point);
    ShowPointerReadout(*this, point);
}

void CFractalView::OnLButtonUp(UINT, CPoint point) {
    if (Dragging && IsClick(DragAnchor, point)) {
        // A click leaves any pending request as it was and draws no frame.
        Dragging = 0;
        if (HasCapture()) ReleaseCapture();
        const std::unique_ptr<CDC> dc = GetClientDC();
        EraseDragFrame(dc.get());
        return;
    }
    if (Dragging) {
        Dragging = 0;
        ZoomRequest = 1;
        if (HasCapture()) ReleaseCapture();
        ZoomFrame = {DragAnchor.x, DragAnchor.y, point.x, point.y};
        const std::unique_ptr<CDC> dc = GetClientDC();
        EraseDragFrame(dc.get());
        if (dc) DrawZoomFrame(dc.get());
    }
    ZoomFrom = DragAnchor;
    ZoomTo = point;
    GetDocument()->SetZoom(ZoomFrom.x, ZoomFrom.y, ZoomTo.x, ZoomTo.y, ZoomRequest);
}

void CFractalView::MoveDragFrame(CPoint to) {
    const std::unique_ptr<CDC> dc = GetClientDC();
    if (dc) DrawDragFrame(dc.get());  // erases the frame at the old corner
    DragCurrent = to;
    if (dc) DrawDragFrame(dc.get());
}

void CFractalView::EraseDragFrame(CDC* dc) {
    if (dc) DrawDragFrame(dc);
}

void CFractalView::DrawDragFrame(CDC* dc) {
    const RasterOperation previousMode = dc->SetROP2(R2_NOT);
    CBrush* oldBrush = dc->SelectStockBrush(NULL_BRUSH);
    dc->Rectangle(DragAnchor.x, DragAnchor.y, DragCurrent.x, DragCurrent.y);
    dc->SelectObject(oldBrush);
    dc->SetROP2(previousMode);
}

void CFractalView::DrawZoomFrame(CDC* dc) {
    CBrush* oldBrush = dc->SelectStockBrush(NULL_BRUSH);
    CPen redPen(PS_SOLID, 1, kZoomFrameColour);
    CPen* oldPen = dc->SelectObject(&redPen);
    dc->Rectangle(ZoomFrame.left, ZoomFrame.top, ZoomFrame.right, ZoomFrame.bottom);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

}  // namespace morvale
