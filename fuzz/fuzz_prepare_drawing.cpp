// PrepareDrawing with arbitrary texts, depths, zoom corners and picture sizes keeps its
// invariants and never faults.
#include <cmath>
#include <cstdlib>

#include "FuzzInput.h"
#include "doc/Morvale1Doc.h"

using namespace morvale;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameOrBothNan(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

void CheckSteps(const CMorvale1Doc& d) {
    auto step = [](double lo, double hi, int n) { return n > 0 ? (hi - lo) / n : 0.0; };
    Check(SameOrBothNan(d.JuliaStepX, step(d.JuliaXMin, d.JuliaXMax, d.PictureWidth)));
    Check(SameOrBothNan(d.JuliaStepY, step(d.JuliaYMin, d.JuliaYMax, d.PictureHeight)));
    Check(SameOrBothNan(d.MandelStepX, step(d.MandelPMin, d.MandelPMax, d.PictureWidth)));
    Check(SameOrBothNan(d.MandelStepY, step(d.MandelQMin, d.MandelQMax, d.PictureHeight)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    CMorvale1Doc doc;
    PixelImage image(2, 2);
    for (int round = 0; round < 4 && !in.Empty(); ++round) {
        const int action = in.TakeInt(0, 7);
        if (action == 0) doc.OnJulia();
        if (action == 1) doc.OnMandelbrot();
        if (action == 2) {
            for (auto& t : doc.JuliaTexts) t = in.TakeText();
            for (auto& t : doc.MandelTexts) t = in.TakeText();
            doc.PresetChosen = 1;
        }
        if (action == 3) doc.SetDepth(in.Take<int>(), 1);
        if (action == 4) {
            const int x0 = in.Take<int>(), y0 = in.Take<int>(), x1 = in.Take<int>();
            doc.SetZoom(x0, y0, x1, in.Take<int>(), 1);
        }
        if (action == 5) {
            const double x0 = in.Take<double>(), y0 = in.Take<double>(), x1 = in.Take<double>();
            doc.SetZoom(ZoomRect{x0, y0, x1, in.Take<double>()}, 1);
        }
        if (action == 6) {
            const PlaneBox box{in.Take<double>(), in.Take<double>(), in.Take<double>(),
                               in.Take<double>()};
            doc.ShowView(
                {in.TakeInt(0, 1) == 1, box, in.Take<double>(), in.Take<double>(), in.Take<int>()});
        }
        doc.SetPictureSize(in.TakeInt(0, 1 << 16), in.TakeInt(0, 1 << 16));
        CDC dc(image.Surface(), doc.PictureWidth, doc.PictureHeight);
        doc.PrepareDrawing(&dc);
        Check(doc.Palette.GetEntryCount() == 384);
        CheckSteps(doc);
        doc.FinishDrawing(&dc);
        Check(doc.ZoomPending == 0 && doc.PresetChosen == 0 && doc.DepthFromBox == 0 &&
              doc.ViewPending == 0);
        Check(!doc.Palette.IsCreated());
    }
    return 0;
}
