// morvale-render --keyframes: the frames of one share of a keyframe plan, each written whole
// under its name, frames already there left alone so that a stopped run resumes.
#pragma once

#include <string>

#include "cli/OutputFile.h"
#include "cli/RenderOptions.h"

namespace morvale {

// The plan a run's options describe: from --centre and --height, from a saved view (already taken
// into the options) or from the texts.
KeyframePlan PlanOfOptions(const RenderOptions& o);

// Empty, or the German reason the run stopped.
std::string RunKeyframes(const RenderOptions& o);

}  // namespace morvale
