#include "render/deep/DeepRenderer.h"

#include <tbb/blocked_range.h>
#include <tbb/combinable.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>

#include <chrono>
#include <vector>

#include "render/deep/DeepScene.h"
#include "render/escape/DoubleRenderer.h"

namespace morvale {
namespace {

// Bands of rows taken dynamically: per-pixel cost varies by orders of magnitude.
constexpr int kBandRows = 2;

}  // namespace

EscapeTally RenderDeepEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                 const PixelSurface& surface, EscapeProgress* progress) {
    if (scene.rows <= 0 || scene.columns <= 0) return {};
    if (scene.limit <= 0) {
        EscapeScene plain = scene;
        plain.deep = nullptr;
        return RenderDoubleEscapeTime(plain, colours, surface, EscapeStrategy::Automatic, progress);
    }
    DeepScene& deep = *scene.deep;
    if (progress) {
        const std::int64_t total = DeepPicture::ReferenceWork(deep.Frame(), deep.Region().Julia());
        progress->SetReference(0, total);
        deep.SetOrbitProgress([progress, total](std::int64_t done) {
            progress->SetReference(std::min(done, total), total);
        });
    }
    const std::shared_ptr<const DeepPicture> picture = deep.Prepared(scene.stop);
    if (!picture) return {};
    if (progress) progress->SetReference(0, 0);
    const int rowOffset = scene.firstSampleRow - deep.Frame().firstSampleRow;
    const int columns = std::min(scene.columns, deep.Frame().columns);
    const int rows = std::min(scene.rows, deep.Frame().rows - rowOffset);
    const auto start = std::chrono::steady_clock::now();
    tbb::combinable<EscapeTally> tallies;
    tbb::parallel_for(
        tbb::blocked_range<int>(0, rows, kBandRows),
        [&](const tbb::blocked_range<int>& band) {
            EscapeTally& tally = tallies.local();
            std::vector<DeepPicture::Result> results(static_cast<std::size_t>(columns));
            for (int y = band.begin(); y < band.end(); ++y) {
                if (StopRequested(scene)) return;
                picture->IterateRow(rowOffset + y, 0, columns, results.data());
                if (StopRequested(scene)) return;
                Pixel* row = surface.Row(y);
                for (int x = 0; x < columns; ++x) {
                    const DeepPicture::Result& r = results[std::size_t(x)];
                    EmitEscapePixel(colours, scene.limit, r.forEver ? kStaysForEver : r.k, r.m,
                                    row + x, tally);
                    ++tally.pixels;
                }
            }
            if (progress && !StopRequested(scene)) progress->MarkDone(band.begin(), band.end());
        },
        tbb::simple_partitioner());
    deep.AddPixelSeconds(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    EscapeTally total;
    tallies.combine_each([&](const EscapeTally& t) { total += t; });
    return total;
}

}  // namespace morvale
