// Command line of morvale-render: what it draws and where the picture goes.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/TreeRequest.h"
#include "keyframes/KeyframePlan.h"
#include "view/HeadlessWindow.h"

namespace morvale {

struct ZoomDrag {
    CPoint from;  // client pixels
    CPoint to;
};

struct RenderOptions {
    Fractal kind = Fractal::Mandelbrot;
    std::optional<int> preset;                      // row of the kind's preset table
    std::optional<std::vector<std::string>> texts;  // the kind's texts, as a dialog takes them
    std::optional<int> depth;                       // typed into the depth box
    // A centre and the plane height of the visible picture: the four region texts are built from
    // them at full precision for the screen's aspect.
    std::optional<std::pair<std::string, std::string>> centre;
    std::optional<std::string> planeHeight;
    bool deepZoom = true;  // the deep path takes over where double does not resolve the pixels
    int series = 7;
    PictureSize screen{1920, 1080};
    std::optional<PictureSize> window;  // default: the screen
    std::vector<ZoomDrag> zooms;
    TreeRequest tree;
    std::string view;  // a saved view's PNG to draw again
    // A keyframe sequence into this folder instead of one picture.
    std::string keyframes;
    PictureSize frameSize{3840, 2160};  // each keyframe's picture
    std::string topHeight;              // empty: the kind's whole set
    FrameShare share;
    // Given on the command line, so a saved view's own value gives way.
    bool kindSet = false;
    bool seriesSet = false;
    bool screenSet = false;  // by --screen or --size
    bool screenGiven = false;
    bool windowGiven = false;
    bool sizeGiven = false;
    bool stats = false;
    bool quiet = false;  // no progress line
    bool help = false;
    std::string output;
};

struct ParsedOptions {
    RenderOptions options;
    std::string error;  // one German line naming the argument; empty when the line is sound
};

// args without the program name.
ParsedOptions ParseRenderOptions(std::span<const std::string> args);

// The texts a preset row or --texts hands to the document (checked by ParseRenderOptions).
std::vector<std::string> ChosenTexts(const RenderOptions& options);

std::string RenderHelpText();

}  // namespace morvale
