#include "view/ViewHints.h"

#include <algorithm>
#include <span>

#include "doc/Morvale1Doc.h"
#include "render/escape/EscapeTally.h"
#include "view/FractalView.h"

namespace morvale {
namespace {

constexpr std::size_t kRegionTexts = 4;

bool AllEmpty(std::span<const std::string> texts) {
    return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); });
}

}  // namespace

std::string_view NoViewHint(const CFractalView& view) {
    if (view.ViewMode != Drawing::EscapeTime) return {};
    const CMorvale1Doc& doc = *view.GetDocument();
    bool empty = false;
    switch (doc.FractalKind) {
        case Fractal::Julia:
            empty = AllEmpty(std::span(doc.JuliaTexts).first(kRegionTexts));
            break;
        case Fractal::Mandelbrot:
            empty = AllEmpty(std::span(doc.MandelTexts).first(kRegionTexts));
            break;
        default:
            return kNoKindChosen;
    }
    return empty ? kNoViewChosen : std::string_view();
}

std::string BlackPictureHint(const EscapeTally& tally, int limit) {
    constexpr std::int64_t kPercentStayed = 99;
    if (tally.pixels <= 0 || tally.undecided == 0 ||
        tally.stayed * 100 < tally.pixels * kPercentStayed)
        return {};
    return "Fast alles schwarz bei Tiefe " + std::to_string(limit) +
           ": eine größere Tiefe im Feld „Tiefe“ zeigt mehr";
}

}  // namespace morvale
