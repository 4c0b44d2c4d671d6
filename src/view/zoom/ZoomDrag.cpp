// Zoom selection with the left button: the inverting drag frame, the red frame and the zoom
// request handed to the document.
#include <algorithm>
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

// An outline `width` device pixels thick, growing inwards; the rings never share a pixel, so an
// inverting outline drawn twice still cancels out.
void ThickRectangle(CDC* dc, CRect r, int width) {
    r = {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
         std::max(r.top, r.bottom)};
    for (int ring = 0; ring < width && r.left < r.right && r.top < r.bottom; ++ring) {
        dc->Rectangle(r.left, r.top, r.right, r.bottom);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
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
    ThickRectangle(dc, {DragAnchor.x, DragAnchor.y, DragCurrent.x, DragCurrent.y}, FrameWidth());
    dc->SelectObject(oldBrush);
    dc->SetROP2(previousMode);
}

void CFractalView::DrawZoomFrame(CDC* dc) {
    CBrush* oldBrush = dc->SelectStockBrush(NULL_BRUSH);
    CPen redPen(PS_SOLID, 1, kZoomFrameColour);
    CPen* oldPen = dc->SelectObject(&redPen);
    ThickRectangle(dc, ZoomFrame, FrameWidth());
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

}  // namespace morvale
