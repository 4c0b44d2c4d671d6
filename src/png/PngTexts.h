// The tEXt chunks of a PNG file, read without decoding its pixels: the chunk walk skips every
// other chunk's data, so a poster of any size is read in a few steps.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "png/PngBands.h"

namespace morvale {

struct PngTextReading {
    bool png = false;            // the PNG signature is there
    std::string broken;          // empty, or in German what is wrong with the file's chunks
    std::vector<PngText> texts;  // the chunks whose keyword starts with the prefix, in order
};

// A text with the prefix longer than this makes the file broken; the longest text of ours (a
// region at the deepest height, some 316 000 digits) stays well below it.
inline constexpr std::size_t kMaxPngTextBytes = 1 << 19;
// The format's bound on a keyword.
inline constexpr std::size_t kMaxPngKeywordBytes = 79;

// Reads the chunks up to IEND and keeps the tEXt chunks whose keyword begins with prefix, each
// checked against its CRC. Such a chunk with a keyword or a text beyond the bounds makes the file
// broken.
PngTextReading ReadPngTexts(std::istream& in, std::string_view prefix);

}  // namespace morvale
