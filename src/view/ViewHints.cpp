#include "view/ViewHints.h"

#include <algorithm>
#include <span>

#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"

namespace morvale {
namespace {

constexpr std::size_t kRegionTexts = 4;

bool AllEmpty(std::span<const std::string> texts) {
    return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); });
}

}  // namespace

bool NoViewChosen(const CFractalView& view) {
    if (view.ViewMode != Drawing::EscapeTime) return false;
    const CMorvale1Doc& doc = *view.GetDocument();
    switch (doc.FractalKind) {
        case Fractal::Julia:
            return AllEmpty(std::span(doc.JuliaTexts).first(kRegionTexts));
        case Fractal::Mandelbrot:
            return AllEmpty(std::span(doc.MandelTexts).first(kRegionTexts));
        default:
            return true;
    }
}

}  // namespace morvale
