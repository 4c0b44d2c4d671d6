// Checks deep pictures against the independent full-precision count on a grid of sampled pixels
// and prints a table: the public benchmark locations at their published limits, or random views.
//   morvale-deep-check public [width] [rows] [samples]
//   morvale-deep-check random [views] [seed] [width] [rows] [samples]
#include <tbb/parallel_for.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DeepChecker.h"
#include "PublicLocations.h"
#include "RandomViews.h"
#include "doc/EscapeScene.h"
#include "render/deep/DeepPicture.h"

namespace morvale {
namespace {

struct Tally {
    long samples = 0, same = 0, close = 0, worst = 0, far = 0;
    double meanCount = 0.0;
};

Tally Compare(const CheckedView& view, const DeepPicture& picture, int samples) {
    const int rows = view.height - kHiddenRows;
    std::atomic<long> same{0}, close{0}, far{0}, sum{0}, worst{0}, unsettled{0};
    tbb::parallel_for(0, samples * samples, [&](int i) {
        const int x = (i % samples) * view.width / samples + view.width / (2 * samples);
        const int y = (i / samples) * rows / samples + rows / (2 * samples);
        // The row walk, as pictures are drawn: its lanes take the plain steps.
        DeepPicture::Result result;
        picture.IterateRow(y, x, x + 1, &result);
        const long deep = long(result.k);
        const CheckedPixel full = CheckDeepPixel(view, x, y + kHiddenRows);
        if (!full.settled) {
            ++unsettled;
            return;
        }
        const long checked = long(full.k);
        const long diff = std::labs(deep - checked);
        if (diff != 0 && std::getenv("DEEP_CHECK_VERBOSE"))
            std::fprintf(stderr, "  %d,%d: deep %ld, full precision %ld\n", x, y, deep, checked);
        same += diff == 0;
        const bool within = diff <= std::max(2L, checked / 1000);
        close += diff != 0 && within;
        far += !within;
        sum += checked;
        long w = worst.load();
        while (diff > w && !worst.compare_exchange_weak(w, diff)) {
        }
    });
    const long n = long(samples) * samples - unsettled;
    return {n, same, close, worst, far, double(sum) / double(std::max(n, 1L))};
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Public(int width, int rows, int samples) {
    std::printf(
        "| location | limit | bits | mean count | identical | within | beyond | worst | reference "
        "| orbit | table | check |\n|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    const char* only = std::getenv("DEEP_CHECK_ONLY");
    for (const auto& at : deep_locations::PublicLocations()) {
        if (only && std::string(at.name) != only) continue;
        const int height = rows + kHiddenRows;
        CheckedView view{DeepRegion::FromCentre(false, at.re, at.im, at.height, "0", "0", width,
                                                height, kHiddenRows),
                         "0",
                         "0",
                         width,
                         height,
                         at.limit};
        DeepPicture picture;
        picture.Prepare(view.region, {width, height, width, kHiddenRows, rows, at.limit}, nullptr,
                        {});
        const auto start = std::chrono::steady_clock::now();
        const Tally t = Compare(view, picture, samples);
        const DeepTimings& times = picture.Timings();
        std::printf(
            "| %s | %d | %ld | %.0f | %ld/%ld | %ld | %ld | %ld | %.2f s | %.2f s | %.0f s |\n",
            at.name, at.limit, CheckerBits(view), t.meanCount, t.same, t.samples, t.close, t.far,
            t.worst, times.reference, times.table, Seconds(start));
        std::fflush(stdout);
    }
    return 0;
}

// One row per view, then the totals: the table the deep path is held to.
int Random(int count, std::uint64_t seed, int width, int rows, int samples) {
    std::printf(
        "| view | height | limit | mean count | identical | within | beyond | worst |\n"
        "|---|---|---|---|---|---|---|---|\n");
    Tally all;
    for (const RandomView& v : RandomViews(seed, count, 5, 1100)) {
        const int height = rows + kHiddenRows;
        CheckedView view{DeepRegion::FromCentre(v.julia, v.re, v.im, v.height, v.p, v.q, width,
                                                height, kHiddenRows),
                         v.p,
                         v.q,
                         width,
                         height,
                         v.limit};
        DeepPicture picture;
        picture.Prepare(view.region, {width, height, width, kHiddenRows, rows, v.limit}, nullptr,
                        {});
        const Tally t = Compare(view, picture, samples);
        std::printf("| %s | %s | %d | %.0f | %ld/%ld | %ld | %ld | %ld |\n", v.kind.c_str(),
                    v.height.c_str(), v.limit, t.meanCount, t.same, t.samples, t.close, t.far,
                    t.worst);
        std::fflush(stdout);
        all.samples += t.samples, all.same += t.same, all.close += t.close, all.far += t.far;
        all.worst = std::max(all.worst, t.worst);
    }
    std::printf("| all %d views | | | | %.3f %% | %ld | %ld | %ld |\n", count,
                100.0 * double(all.same) / double(std::max(all.samples, 1L)), all.close, all.far,
                all.worst);
    return all.far == 0 && all.same * 1000 >= all.samples * 999 ? 0 : 1;
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "public";
    auto arg = [&](int i, int fallback) { return argc > i ? std::atoi(argv[i]) : fallback; };
    if (mode == "public") return morvale::Public(arg(2, 192), arg(3, 108), arg(4, 8));
    if (mode == "random")
        return morvale::Random(arg(2, 200), std::uint64_t(arg(3, 1)), arg(4, 192), arg(5, 108),
                               arg(6, 6));
    std::fprintf(stderr, "usage: morvale-deep-check public|random ...\n");
    return 2;
}
