#include "view/deep/DeepRenderer.h"

#include <tbb/blocked_range.h>
#include <tbb/combinable.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>

#include <chrono>

#include "view/escape/EscapeRenderer.h"

namespace morvale {
namespace {

// Bands of rows taken dynamically: per-pixel cost varies by orders of magnitude.
constexpr int kBandRows = 2;

}  // namespace

EscapeTally RenderDeepEscapeTime(const DeepRegion& region, int width, int height,
                                 const EscapeScene& scene, const EscapeColouring& colours,
                                 const PixelSurface& surface, EscapeProgress* progress,
                                 const OrbitProgress& orbitProgress, DeepTimings* timings) {
    if (scene.rows <= 0 || scene.columns <= 0) return {};
    if (scene.limit <= 0) return RenderEscapeTime(scene, colours, surface, {}, progress);
    DeepPicture picture;
    const DeepFrame frame{width,      height,     scene.columns, scene.firstSampleRow,
                          scene.rows, scene.limit};
    const bool ready = picture.Prepare(region, frame, scene.stop, orbitProgress);
    if (timings) *timings = picture.Timings();
    if (!ready) return {};
    const auto start = std::chrono::steady_clock::now();
    tbb::combinable<EscapeTally> tallies;
    tbb::parallel_for(
        tbb::blocked_range<int>(0, scene.rows, kBandRows),
        [&](const tbb::blocked_range<int>& band) {
            EscapeTally& tally = tallies.local();
            for (int y = band.begin(); y < band.end(); ++y) {
                Pixel* row = surface.Row(y);
                for (int x = 0; x < scene.columns; ++x) {
                    if (StopRequested(scene)) return;
                    const DeepPicture::Result r = picture.Iterate(x, y);
                    tally.iterations += EmitEscapePixel(colours, scene.limit, r.k, r.m, row + x);
                    ++tally.pixels;
                }
            }
            if (progress && !StopRequested(scene)) progress->MarkDone(band.begin(), band.end());
        },
        tbb::simple_partitioner());
    if (timings)
        timings->pixels =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EscapeTally total;
    tallies.combine_each([&](const EscapeTally& t) { total += t; });
    return total;
}

}  // namespace morvale
