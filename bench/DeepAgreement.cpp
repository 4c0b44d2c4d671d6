// Agreement of the deep path with the full-precision brute force on 64 × 64 pixels sampled evenly
// from 1920x1080 pictures of published locations, both kinds, 1e-20 to 1e-1000. Prints a table:
// identical counts, counts within max(2, 0.1 %), the largest difference and the mean count.
// Slow (minutes): run by hand, not part of `make bench`.
#include <tbb/parallel_for.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DeepChecker.h"
#include "DeepLocations.h"
#include "doc/EscapeScene.h"
#include "view/deep/DeepPicture.h"

namespace morvale {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kSamples = 64;

void Check(const deep_locations::Location& at) {
    const DeepRegion region = DeepRegion::FromCentre(at.julia, at.re, at.im, at.height, at.p, at.q,
                                                     kWidth, kHeight, kHiddenRows);
    const int rows = kHeight - kHiddenRows;
    DeepPicture picture;
    picture.Prepare(region, {kWidth, kHeight, kWidth, kHiddenRows, rows, at.limit}, nullptr, {});
    std::atomic<long> same{0}, close{0}, sum{0}, worst{0};
    tbb::parallel_for(0, kSamples * kSamples, [&](int i) {
        const int x = (i % kSamples) * kWidth / kSamples + kWidth / (2 * kSamples);
        const int y = (i / kSamples) * rows / kSamples + rows / (2 * kSamples);
        const long deep = long(picture.Iterate(x, y).k);
        const long checked =
            long(CheckDeepPixel(region, kWidth, kHeight, x, y + kHiddenRows, at.limit).k);
        const long diff = std::labs(deep - checked);
        same += diff == 0;
        close += diff != 0 && diff <= std::max(2L, checked / 1000);
        sum += checked;
        long w = worst.load();
        while (diff > w && !worst.compare_exchange_weak(w, diff)) {
        }
    });
    const double n = kSamples * kSamples;
    std::printf("| %-22s | %-10s | %-8s | %6d | %8.1f | %7.2f %% | %5ld | %5ld |\n", at.name,
                at.julia ? "Julia" : "Mandelbrot", at.height, at.limit, double(sum) / n,
                100.0 * double(same) / n, long(close), long(worst));
    std::fflush(stdout);
}

}  // namespace
}  // namespace morvale

int main() {
    using namespace morvale::deep_locations;
    const Location locations[] = {
        {"deep dive 02", false, kDeepDiveRe, kDeepDiveIm, "1e-20", "0", "0", 5000},
        {"deep dive 02", false, kDeepDiveRe, kDeepDiveIm, "5.1e-55", "0", "0", 15000},
        {"deep dive 01 (needle)", false, kNeedleRe, kNeedleIm, "2.5e-107", "0", "0", 2000},
        {"c = i", false, "0", "1", "1e-300", "0", "0", 5000},
        {"very deep", false, VeryDeepRe(), VeryDeepIm(), "8.8e-311", "0", "0", 60000},
        {"very deep, chaotic", false, VeryDeepRe(), VeryDeepIm(), "1e-400", "0", "0", 1000000},
        {"c = i", false, "0", "1", "1e-1000", "0", "0", 5000},
        {"c = i, z = i", true, "0", "1", "1e-20", "0", "1", 5000},
        {"c = i, z = -1 + i", true, "-1", "1", "1e-150", "0", "1", 5000},
        {"c = i, z = i", true, "0", "1", "1e-320", "0", "1", 5000},
        {"c = i, z = i", true, "0", "1", "1e-1000", "0", "1", 5000},
    };
    std::printf(
        "| location | kind | height | limit | mean count | identical | within | worst |\n"
        "|---|---|---|---|---|---|---|---|\n");
    const char* only = std::getenv("DEEP_AGREEMENT_ONLY");
    for (const Location& at : locations)
        if (!only || std::string(at.height) == only) morvale::Check(at);
}
