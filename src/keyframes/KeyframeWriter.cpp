#include "keyframes/KeyframeWriter.h"

#include "keep/ViewRecord.h"
#include "render/deep/DeepScene.h"
#include "view/HeadlessWindow.h"
#include "view/KeptViews.h"

namespace morvale {
namespace {

struct Stopped {};

}  // namespace

KeyframeWriting WriteKeyframe(const KeyframePlan& plan, int k, const KeyframeLook& look,
                              const ByteSink& sink, const RowsWritten& progress,
                              const std::atomic<bool>* stop) {
    const bool julia = plan.Target().julia;
    HeadlessWindow road(plan.Device(), plan.Frame(), Painter::Deferred);
    road.Document().DeepZoom = look.deepZoom;
    road.ChooseKind(julia ? Fractal::Julia : Fractal::Mandelbrot);
    std::vector<std::string> texts = plan.RegionTexts(k);
    texts.push_back(look.depthText);
    road.TakeTexts(texts);
    if (look.typedDepth) road.TypeDepth(*look.typedDepth);
    road.ChooseSeries(look.series);
    road.PressDraw();
    const EscapeBands bands = road.Bands();
    KeyframeWriting writing;
    PngBands png{bands.Width(),
                 bands.Height(),
                 [&](int rowBegin, int rowEnd, const PixelSurface& band) {
                     if (stop && stop->load()) throw Stopped();
                     writing.tally += bands.Render(rowBegin, rowEnd, band);
                 },
                 0,
                 {}};
    if (const auto view = RecordEscapeView(road.Document(), road.View().ColourSeries, plan.Device(),
                                           plan.Frame()))
        png.texts = ViewTexts(*view);
    try {
        writing.written = WritePngBands(png, sink, progress);
    } catch (const Stopped&) {
        writing.written = false;
    }
    if (const auto& deep = bands.Scene().deep) writing.referenceSeconds = deep->Timings().reference;
    return writing;
}

}  // namespace morvale
