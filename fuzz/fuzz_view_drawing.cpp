// Crafted views drawn: whatever the chunk reader takes as a view and the bounds accept draws on a
// tiny device without a fault, at its region and constant, with a small iteration limit.
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "view/deep/RegionLimits.h"
#include "view/keep/ViewFile.h"

using namespace morvale;

namespace {

constexpr std::size_t kLongestText = 2000;  // deeper views cost seconds a pixel

bool Small(const ViewRecord& view) {
    const auto longer = [](const std::string& t) { return t.size() > kLongestText; };
    return std::none_of(view.region.begin(), view.region.end(), longer) && !longer(view.p) &&
           !longer(view.q);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ViewReading reading = ReadView(in);
    if (reading.outcome != ViewOutcome::Read || !Small(reading.record)) return 0;
    ViewRecord& view = reading.record;
    if (view.client.width > view.device.width || view.client.height > view.device.height)
        std::abort();
    const bool julia = view.kind == ViewKind::Julia;
    const DeepRegion region = DeepRegion::FromTexts(
        julia, {view.region[0], view.region[1], view.region[2], view.region[3],
                julia ? view.p : "0", julia ? view.q : "0"});
    if (!RegionProblem(region).empty()) return 0;
    view.device = {std::min(view.device.width, 12), std::min(view.device.height, 50) + 6};
    view.client = {view.device.width, 6};
    view.limit = std::clamp(view.limit, 0, 64);
    const EscapeBands bands = ViewBands(view);
    PixelImage picture(bands.Width(), bands.Height());
    bands.Render(0, bands.Height(), picture.Surface());
    return 0;
}
