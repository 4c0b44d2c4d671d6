#include "view/drawing/EscapeReference.h"

#include "doc/ColourSeries.h"
#include "doc/Morvale1Doc.h"
#include "render/escape/EscapeKernel.h"
#include "view/FractalView.h"

namespace morvale {

std::int64_t DrawEscapeTimeReference(CFractalView& view, CDC* dc, ReferenceRows rows) {
    CMorvale1Doc* doc = view.GetDocument();
    double m = 0.0;  // once per drawing: a point that runs no iteration keeps the last value
    doc->PrepareDrawing(dc);

    const double juliaXMin = doc->JuliaXMin, juliaYMin = doc->JuliaYMin;
    const double juliaStepX = doc->JuliaStepX, juliaStepY = doc->JuliaStepY;
    const double mandelPMin = doc->MandelPMin, mandelQMin = doc->MandelQMin;
    const double mandelStepX = doc->MandelStepX, mandelStepY = doc->MandelStepY;
    double cr = doc->JuliaP, ci = doc->JuliaQ;
    const int limit = doc->IterationLimit;
    const Fractal kind = doc->FractalKind;
    std::int64_t iterations = 0;

    // Without a kind there are no start values: nothing is drawn.
    const bool drawable = kind == Fractal::Julia || kind == Fractal::Mandelbrot;
    for (view.PixelColumn = 0; drawable && view.PixelColumn < view.PictureWidth;
         ++view.PixelColumn) {
        for (view.PixelRow = rows.first; view.PixelRow < view.PictureHeight;
             view.PixelRow += rows.step) {
            double zr, zi;
            if (kind == Fractal::Julia) {
                zr = view.PixelColumn * juliaStepX + juliaXMin;
                zi = view.PixelRow * juliaStepY + juliaYMin;
            } else {
                cr = view.PixelColumn * mandelStepX + mandelPMin;
                ci = view.PixelRow * mandelStepY + mandelQMin;
                zr = zi = 0.0;
            }
            int k = 0;
            while (k < limit) {
                const double t = zr * zr - zi * zi + cr;
                zi = 2.0 * zr * zi + ci;
                zr = t;
                m = zr * zr + zi * zi;
                ++iterations;
                if (!(m <= kEscapeBound)) break;  // beyond the bound, or not a number
                ++k;
            }
            const int y = view.PixelRow - kHiddenRows;
            if (k == limit) {
                dc->SetPixel(view.PixelColumn, y, RGB(0, 0, 0));
                continue;
            }
            const int index = EscapeColourIndex(view.ColourSeries, k, m);
            if (index < 0) continue;  // a series outside 1..7 draws no escaped point
            view.ColourIndex = view.ColourSeries == kLastSeries ? index : k % kSeriesLength;
            dc->SetPixel(view.PixelColumn, y, PALETTEINDEX(std::uint16_t(index)));
        }
    }

    doc->FinishDrawing(dc);
    return iterations;
}

}  // namespace morvale
