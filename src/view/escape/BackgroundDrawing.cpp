#include "view/escape/BackgroundDrawing.h"

#include <algorithm>

#include "view/FractalView.h"

namespace morvale {
namespace {

using D = CMorvale1Doc;

// What preparing a drawing writes into the document.
constexpr double D::*kPreparedValues[] = {
    &D::JuliaXMin,  &D::JuliaXMax,  &D::JuliaYMin,   &D::JuliaYMax,   &D::JuliaP,
    &D::JuliaQ,     &D::MandelPMin, &D::MandelPMax,  &D::MandelQMin,  &D::MandelQMax,
    &D::JuliaStepX, &D::JuliaStepY, &D::MandelStepX, &D::MandelStepY,
};
constexpr int D::*kPreparedCounts[] = {&D::IterationLimit, &D::PictureWidth, &D::PictureHeight};

}  // namespace

BackgroundDrawing::BackgroundDrawing(CFractalView& view, CDC& dc, std::function<void()> ended)
    : view_(view), prepared_(*view.GetDocument()) {
    D& doc = *view.GetDocument();
    taken_ = {doc.ZoomPending, doc.PresetChosen, doc.DepthFromBox};
    doc.ZoomPending = doc.PresetChosen = doc.DepthFromBox = 0;

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
    if (adopted_) return;
    // Requests made anew while the drawing ran are the newer ones and stay.
    D& doc = *view_.GetDocument();
    if (doc.ZoomPending == 0) doc.ZoomPending = taken_.zoom;
    if (doc.PresetChosen == 0) doc.PresetChosen = taken_.preset;
    if (doc.DepthFromBox == 0) doc.DepthFromBox = taken_.depthFromBox;
}

void BackgroundDrawing::Adopt() {
    if (adopted_) return;
    adopted_ = true;
    D& doc = *view_.GetDocument();
    for (auto field : kPreparedValues) doc.*field = prepared_.*field;
    for (auto field : kPreparedCounts) doc.*field = prepared_.*field;
    doc.JuliaValues = prepared_.JuliaValues;
    doc.MandelValues = prepared_.MandelValues;
    view_.PictureWidth = prepared_.PictureWidth;
    view_.PictureHeight = prepared_.PictureHeight;
}

void BackgroundDrawing::Complete() {
    Adopt();
    view_.LastEscapeTally = job_->Tally();
    // Where the plain loop leaves its counters.
    view_.PixelColumn = std::max(view_.PictureWidth, 0);
    if (view_.PictureWidth > 0) view_.PixelRow = std::max(view_.PictureHeight, 0);
}

}  // namespace morvale
