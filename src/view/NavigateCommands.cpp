// Wheel zoom, pan, back and forward, and Julia at a point: the view's side, without a toolkit.
// Every one of them draws through the document's requests, so each picture is the plain loop
// over the region the document then holds.
#include <optional>

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"
#include "view/readout/PointerReadout.h"

namespace morvale {

bool CFractalView::CanNavigate() const {
    const CMorvale1Doc& doc = *GetDocument();
    const bool chosen = doc.FractalKind == Fractal::Julia || doc.FractalKind == Fractal::Mandelbrot;
    return ViewMode == Drawing::EscapeTime && doc.Drawn == 1 && chosen && doc.PictureWidth > 0 &&
           doc.PictureHeight > 0;
}

DeviceExtent CFractalView::PictureExtent() const {
    return {GetDocument()->PictureWidth, GetDocument()->PictureHeight};
}

void CFractalView::NavigateBy(const ZoomRect& zoom, bool goesOn) {
    DropHistoryRequest();
    if (goesOn) GetDocument()->SettleZoom();
    GetDocument()->SetZoom(zoom, 1);
    Invalidate();
}

void CFractalView::DropHistoryRequest() {
    CMorvale1Doc& doc = *GetDocument();
    if (historyStep_ == 0 || doc.ViewPending != 1) return;
    doc.ViewPending = 0;
    for (; historyStep_ < 0; ++historyStep_) History.Forward();
    for (; historyStep_ > 0; --historyStep_) History.Back();
}

void CFractalView::OnViewBack() {
    if (const std::optional<PlaneView> view = History.Back()) {
        --historyStep_;
        GetDocument()->ShowView(*view);
        OnDrawCommand();
    }
}

void CFractalView::OnViewForward() {
    if (const std::optional<PlaneView> view = History.Forward()) {
        ++historyStep_;
        GetDocument()->ShowView(*view);
        OnDrawCommand();
    }
}

void CFractalView::OnUpdateViewBack(CCmdUI* ui) {
    ui->Enable(History.CanGoBack());
}

void CFractalView::OnUpdateViewForward(CCmdUI* ui) {
    ui->Enable(History.CanGoForward());
}

bool CFractalView::CanChooseJuliaAt() const {
    return CanNavigate() && GetDocument()->FractalKind == Fractal::Mandelbrot;
}

void CFractalView::OnJuliaAtPoint() {
    if (!CanChooseJuliaAt()) return;
    const std::optional<PlanePoint> c = PlanePointUnder(*this, MenuPoint);
    if (!c) return;
    GetDocument()->ChooseJuliaAt(c->x, c->y);
    OnDrawCommand();
}

void CFractalView::OnUpdateJuliaAtPoint(CCmdUI* ui) {
    ui->Enable(CanChooseJuliaAt());
}

void CFractalView::RecordView(const std::optional<PlaneView>& view) {
    historyStep_ = 0;
    if (view) History.Record(*view);
}

}  // namespace morvale
