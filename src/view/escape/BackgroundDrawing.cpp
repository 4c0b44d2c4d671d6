#include "view/escape/BackgroundDrawing.h"

#include <algorithm>

#include "view/FractalView.h"

namespace morvale {

BackgroundDrawing::BackgroundDrawing(CFractalView& view, CDC& dc, std::function<void()> ended)
    : view_(view), prepared_(*view.GetDocument()), taken_(view.GetDocument()->TakeRequests()) {
    prepared_.SetMainFrame(nullptr);
    const int width = dc.GetDeviceCaps(HORZRES);
    const int height = dc.GetDeviceCaps(VERTRES);
    prepared_.SetPictureSize(width, height);
    prepared_.PrepareDrawing(&dc);
    // Only started for a chosen kind, so there is a scene.
    const EscapeScene scene = prepared_.Scene(dc.Surface()).value();
    const EscapeColouring colours = ColouringFromDevice(dc, view.ColourSeries);
    prepared_.FinishDrawing(&dc);
    job_ = std::make_unique<EscapeJob>(scene, colours, dc.Surface(), std::move(ended));
}

BackgroundDrawing::~BackgroundDrawing() {
    job_.reset();
    if (!adopted_) view_.GetDocument()->GiveBackRequests(taken_);
}

void BackgroundDrawing::Adopt() {
    if (adopted_) return;
    adopted_ = true;
    view_.GetDocument()->AdoptGeometry(prepared_);
    view_.PictureWidth = prepared_.PictureWidth;
    view_.PictureHeight = prepared_.PictureHeight;
    view_.RecordView(prepared_.CurrentView());
}

void BackgroundDrawing::Complete() {
    Adopt();
    view_.LastEscapeTally = job_->Tally();
    // Where the plain loop leaves its counters.
    view_.PixelColumn = std::max(view_.PictureWidth, 0);
    if (view_.PictureWidth > 0) view_.PixelRow = std::max(view_.PictureHeight, 0);
}

}  // namespace morvale
