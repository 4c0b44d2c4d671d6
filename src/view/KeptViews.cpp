#include "view/KeptViews.h"

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"
#include "view/HeadlessWindow.h"

namespace morvale {
namespace {

Fractal KindOf(ViewKind kind) {
    return kind == ViewKind::Julia ? Fractal::Julia : Fractal::Mandelbrot;
}

}  // namespace

std::optional<ViewRecord> RecordEscapeView(const CMorvale1Doc& doc, int series, PictureSize device,
                                           PictureSize client) {
    if (doc.FractalKind != Fractal::Julia && doc.FractalKind != Fractal::Mandelbrot)
        return std::nullopt;
    const bool julia = doc.FractalKind == Fractal::Julia;
    const PlaneBox box =
        julia ? PlaneBox{doc.JuliaXMin, doc.JuliaXMax, doc.JuliaYMin, doc.JuliaYMax}
              : PlaneBox{doc.MandelPMin, doc.MandelPMax, doc.MandelQMin, doc.MandelQMax};
    ViewRecord record;
    record.kind = julia ? ViewKind::Julia : ViewKind::Mandelbrot;
    record.region = {ExactText(box.xMin), ExactText(box.xMax), ExactText(box.yMin),
                     ExactText(box.yMax)};
    if (julia) {
        record.p = ExactText(doc.JuliaP);
        record.q = ExactText(doc.JuliaQ);
    }
    // A deep picture's region is finer than its doubles: keep every digit it was drawn with.
    if (julia ? doc.JuliaIsDeep : doc.MandelIsDeep) {
        const DeepRegion& deep = julia ? doc.JuliaDeep : doc.MandelDeep;
        const auto text = [&](int i) { return deep.Text(i, doc.PictureWidth, doc.PictureHeight); };
        record.region = {text(0), text(1), text(2), text(3)};
        if (julia) {
            record.p = text(4);
            record.q = text(5);
        }
    }
    record.limit = doc.IterationLimit;
    record.series = series;
    record.device = device;
    record.client = client;
    return record;
}

ViewRecord RecordTree(const CFractalView& view, PictureSize device, PictureSize client) {
    ViewRecord record;
    record.kind = ViewKind::Tree;
    record.series = view.ColourSeries;
    record.device = device;
    record.client = client;
    record.tree = {view.Branches,  view.SegmentOffset, view.SegmentLength,
                   view.TurnAngle, view.Redux,         view.TreeColour != 0};
    return record;
}

EscapeBands ViewBands(const ViewRecord& record) {
    HeadlessWindow road(record.device, record.client, Painter::Deferred);
    road.ChooseKind(KindOf(record.kind));
    road.TakeTexts(ViewPresetTexts(record));
    road.ChooseSeries(record.series);
    road.PressDraw();
    return road.Bands();
}

bool WriteViewPng(const ViewRecord& record, const ByteSink& sink) {
    const EscapeBands bands = ViewBands(record);
    const PngBands png{bands.Width(), bands.Height(),
                       [&bands](int rowBegin, int rowEnd, const PixelSurface& band) {
                           bands.Render(rowBegin, rowEnd, band);
                       },
                       0, ViewTexts(record)};
    return WritePngBands(png, sink);
}

}  // namespace morvale
