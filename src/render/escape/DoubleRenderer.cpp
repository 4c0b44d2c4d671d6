#include "render/escape/DoubleRenderer.h"

#include <tbb/blocked_range.h>
#include <tbb/combinable.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>

#include <algorithm>

namespace morvale {
namespace {

// Rows per band: enough bands for dynamic balancing (interior-heavy rows cost far more than the
// rest), few enough that refilled lanes rarely run dry.
int BandRows(int rows) {
    const int threads = std::max(1, tbb::this_task_arena::max_concurrency());
    return std::clamp(rows / (threads * 12), 1, 32);
}

EscapeTally FillWithoutIterating(const EscapeScene& scene, const EscapeColouring& colours,
                                 const PixelSurface& surface) {
    // k = 0 for every point and m keeps its start value 0.0: black when the limit is 0 (k equals
    // it), colour index 0 of the series below 0.
    const int index = scene.limit == 0 ? -1 : EscapeColourIndex(colours.series, 0, 0.0);
    const bool draws = scene.limit == 0 || index >= 0;
    const Pixel pixel = index >= 0 ? colours.palette[std::size_t(index)] : colours.black;
    EscapeTally tally;
    for (int y = 0; y < scene.rows; ++y) {
        if (draws) std::fill_n(surface.Row(y), scene.columns, pixel);
        tally.pixels += scene.columns;
    }
    // Limit 0: no point gets past it, and none is known to stay.
    if (scene.limit == 0) tally.stayed = tally.undecided = tally.pixels;
    return tally;
}

}  // namespace

EscapeTally RenderDoubleEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                   const PixelSurface& surface, EscapeStrategy strategy,
                                   EscapeProgress* progress) {
    if (scene.rows <= 0 || scene.columns <= 0) return {};
    if (scene.limit <= 0) {
        const EscapeTally tally = FillWithoutIterating(scene, colours, surface);
        if (progress) progress->MarkDone(0, scene.rows);
        return tally;
    }
    tbb::combinable<EscapeTally> tallies;
    tbb::parallel_for(
        tbb::blocked_range<int>(0, scene.rows, BandRows(scene.rows)),
        [&](const tbb::blocked_range<int>& band) {
            if (StopRequested(scene)) return;
            tallies.local() +=
                ComputeEscapeRows(scene, colours, band.begin(), band.end(), surface, strategy);
            if (progress && !StopRequested(scene)) progress->MarkDone(band.begin(), band.end());
        },
        tbb::simple_partitioner());
    EscapeTally total;
    tallies.combine_each([&](const EscapeTally& t) { total += t; });
    return total;
}

}  // namespace morvale
