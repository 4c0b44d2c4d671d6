// A folder of keyframes as morvale-render --keyframes writes them, checked before a video is
// made of it: frames 0 .. K − 1 all there, each a Morvale view of the same kind, size and
// centre, each twice as tall as the one before.
#pragma once

#include <string>
#include <vector>

#include "view/HeadlessWindow.h"

namespace morvale {

struct KeyframeFolder {
    std::vector<std::string> paths;  // in frame order
    PictureSize size;                // every frame's
};

// The folder's frames; error empty, or in German what is missing or does not belong.
KeyframeFolder ScanKeyframes(const std::string& folder, std::string& error);

}  // namespace morvale
