// morvale-render --keyframes: the frames of one share of a keyframe plan, each written whole
// under its name, frames already there left alone so that a stopped run resumes.
#pragma once

#include <functional>
#include <string>

#include "cli/OutputFile.h"
#include "cli/RenderOptions.h"

namespace morvale {

// Draws one picture as morvale-render does into out; empty, or why it failed.
using DrawPicture =
    std::function<std::string(const RenderOptions& o, PictureSize window, OutputFile& out)>;

// The plan a run's options describe: from --centre and --height, from a saved view (already taken
// into the options) or from the texts.
KeyframePlan PlanOfOptions(const RenderOptions& o);

// The options that draw frame k as a single picture.
RenderOptions FrameOptions(const RenderOptions& o, const KeyframePlan& plan, int k);

// Empty, or the German reason the run stopped.
std::string RunKeyframes(const RenderOptions& o, const DrawPicture& draw);

}  // namespace morvale
