#include "view/drawing/BackgroundDrawing.h"

#include <algorithm>

#include "keep/ViewRecord.h"
#include "plane/RegionLimits.h"
#include "view/FractalView.h"
#include "view/KeptViews.h"
#include "view/drawing/DocumentScene.h"

namespace morvale {

BackgroundDrawing::BackgroundDrawing(CFractalView& view, CDC& dc, std::function<void()> ended)
    : view_(view),
      prepared_(*view.GetDocument()),
      taken_(view.GetDocument()->TakeRequests()),
      series_(view.ColourSeries),
      surface_(dc.Surface()) {
    prepared_.SetMainFrame(nullptr);
    const int width = dc.GetDeviceCaps(HORZRES);
    const int height = dc.GetDeviceCaps(VERTRES);
    prepared_.SetPictureSize(width, height);
    prepared_.PrepareDrawing(&dc);
    refusal_ = RegionProblem(prepared_.FractalKind == Fractal::Julia ? prepared_.JuliaDeep
                                                                     : prepared_.MandelDeep);
    if (!refusal_.empty()) {
        prepared_.FinishDrawing(&dc);
        return;
    }
    // Only started for a chosen kind, so there is a scene.
    const EscapeScene scene = DocumentScene(prepared_, dc.Surface()).value();
    const EscapeColouring colours = ColouringFromDevice(dc, view.ColourSeries);
    prepared_.FinishDrawing(&dc);
    job_ = std::make_unique<EscapeJob>(scene, colours, dc.Surface(), std::move(ended));
    const PictureSize device{width, height}, client{surface_.width, surface_.height};
    // prepared_ is only read from here on, on both threads.
    record_ = std::async(std::launch::async, [this, device, client] {
        return RecordEscapeView(prepared_, series_, device, client);
    });
}

BackgroundDrawing::~BackgroundDrawing() {
    job_.reset();
    if (record_.valid()) record_.wait();
    if (!adopted_) view_.GetDocument()->GiveBackRequests(taken_);
}

void BackgroundDrawing::Adopt() {
    if (adopted_) return;
    adopted_ = true;
    view_.GetDocument()->AdoptGeometry(prepared_);
    view_.PictureWidth = prepared_.PictureWidth;
    view_.PictureHeight = prepared_.PictureHeight;
    view_.RecordView(prepared_.CurrentView());
    if (const std::optional<ViewRecord> shown = record_.get()) view_.SetShownView(*shown);
}

void BackgroundDrawing::Complete() {
    Adopt();
    view_.LastEscapeTally = job_->Tally();
    view_.ShownViewComplete();
    // Where the plain loop leaves its counters.
    view_.PixelColumn = std::max(view_.PictureWidth, 0);
    if (view_.PictureWidth > 0) view_.PixelRow = std::max(view_.PictureHeight, 0);
}

}  // namespace morvale
