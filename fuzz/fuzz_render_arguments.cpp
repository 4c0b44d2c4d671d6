// Any command line of morvale-render parses without a fault into either help, one error line
// (the program then exits with status 2) or options it can draw from.
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "cli/RenderOptions.h"
#include "presets/PresetTables.h"

using namespace morvale;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += length;
    }
    return true;
}

void CheckDrawable(const RenderOptions& o) {
    Check(o.kind == Fractal::Julia || o.kind == Fractal::Mandelbrot);
    Check(!o.output.empty());
    Check(o.series >= kFirstSeries && o.series <= kLastSeries);
    Check(o.screen.width > 0 && o.screen.height > 0);
    Check(o.screen.width <= 1000000 && o.screen.height <= 1000000);
    if (o.window) Check(o.window->width > 0 && o.window->height > 0);
    if (o.window) Check(o.window->width <= 1000000 && o.window->height <= 1000000);
    const std::size_t count = o.kind == Fractal::Julia ? 7 : 5;
    const std::vector<std::string> texts = ChosenTexts(o);
    Check(texts.empty() == !(o.preset || o.texts));
    if (!texts.empty()) Check(texts.size() == count);
    if (o.tree.paints) Check(*o.tree.paints >= 1);
    if (o.tree.length) Check(*o.tree.length >= -10000.0 && *o.tree.length <= 10000.0);
    Check(o.tree.on || !(o.tree.branches || o.tree.redux || o.tree.paints));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    std::vector<std::string> args;
    while (!in.Empty() && args.size() < 24) args.push_back(in.TakeText());
    const ParsedOptions parsed = ParseRenderOptions(args);
    if (parsed.options.help) return 0;
    if (!parsed.error.empty()) {
        // One line on stderr, readable whatever bytes the arguments held.
        Check(parsed.error.find('\n') == std::string::npos);
        bool argumentsUtf8 = true;
        for (const std::string& arg : args) argumentsUtf8 = argumentsUtf8 && ValidUtf8(arg);
        if (argumentsUtf8) Check(ValidUtf8(parsed.error));
        return 0;
    }
    CheckDrawable(parsed.options);
    return 0;
}
