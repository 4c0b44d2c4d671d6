// A view kept with its picture: what a PNG's text chunks say about the picture they carry, enough
// to draw it again. Regions and the Julia constant travel as decimal texts that convert back to
// the very doubles they were written from.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/PictureSize.h"
#include "platform/TextConversion.h"
#include "png/PngBands.h"

namespace morvale {

enum class ViewKind { Julia, Mandelbrot, Tree };

// The tree toolbar's parameters.
struct TreeSettings {
    int branches = 7;
    int segmentOffset = 0;
    double length = 3.0;
    double turn = 0.1;
    int redux = 3;
    bool colour = true;
};

struct ViewRecord {
    ViewKind kind = ViewKind::Mandelbrot;
    std::array<std::string, 4> region;  // XMIN, XMAX, YMIN, YMAX (Julia) or PMIN ... QMAX
    std::string p;                      // the Julia constant; empty for Mandelbrot
    std::string q;
    int limit = 0;  // iteration limit
    int series = 7;
    PictureSize device;  // the size the picture was computed for
    PictureSize client;  // the visible part, the picture itself
    TreeSettings tree;   // Tree only
};

// Keywords of the chunks begin with this.
inline constexpr const char* kViewKeywordPrefix = "morvale:";

std::vector<PngText> ViewTexts(const ViewRecord& record);

// The view in texts read back; problem is empty when they hold one, else it tells in German
// what is missing or wrong. No text with the prefix: noView.
struct ViewParse {
    std::optional<ViewRecord> record;
    bool noView = false;
    std::string problem;
};
ViewParse ParseViewTexts(const std::vector<PngText>& texts);

// What the database dialog hands the document for this view: the region, the constant (Julia)
// and the iteration limit as depth text.
std::vector<std::string> ViewPresetTexts(const ViewRecord& record);

}  // namespace morvale
