// Crafted views drawn: any texts under the view's keywords (the chunk reader's CRCs aside) either
// make no view or one the bounds refuse, or one that draws on a tiny device without a fault, at
// its own region and constant, with a small iteration limit.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "keep/ViewFile.h"
#include "plane/RegionLimits.h"
#include "view/KeptViews.h"

using namespace morvale;

namespace {

constexpr const char* kKeys[] = {"kind", "xmin",  "xmax",   "ymin",   "ymax",  "p",
                                 "q",    "limit", "series", "device", "client"};
constexpr std::size_t kLongestText = 2000;  // deeper views cost seconds a pixel

bool Small(const ViewRecord& view) {
    const auto longer = [](const std::string& t) { return t.size() > kLongestText; };
    return std::none_of(view.region.begin(), view.region.end(), longer) && !longer(view.p) &&
           !longer(view.q);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    std::vector<PngText> texts;
    for (const char* key : kKeys)
        texts.push_back({std::string(kViewKeywordPrefix) + key, in.TakeText()});
    const ViewParse parse = ParseViewTexts(texts);
    if (!parse.record || parse.record->kind == ViewKind::Tree || !Small(*parse.record)) return 0;
    ViewRecord view = *parse.record;
    if (view.client.width > view.device.width || view.client.height > view.device.height)
        std::abort();
    const bool julia = view.kind == ViewKind::Julia;
    const DeepRegion region =
        DeepRegion::FromTexts(julia, {view.region[0], view.region[1], view.region[2],
                                      view.region[3], julia ? view.p : "0", julia ? view.q : "0"});
    if (!RegionProblem(region).empty()) return 0;
    view.device = {std::min(view.device.width, 12), std::min(view.device.height, 50) + 6};
    view.client = {view.device.width, 6};
    view.limit = std::clamp(view.limit, 0, 64);
    const EscapeBands bands = ViewBands(view);
    PixelImage picture(bands.Width(), bands.Height());
    bands.Render(0, bands.Height(), picture.Surface());
    return 0;
}
