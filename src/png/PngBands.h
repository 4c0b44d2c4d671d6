// PNG files written a band of rows at a time: bands are filled in order, deflated on all cores
// while the next ones are filled, and joined into one zlib stream, one IDAT chunk per band. Memory
// stays a few bands' worth whatever the height.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/PixelSurface.h"

namespace morvale {

// A tEXt chunk: keyword (1 to 79 Latin-1 characters) and text.
struct PngText {
    std::string keyword;
    std::string text;
    bool operator==(const PngText&) const = default;
};

struct PngBands {
    int width = 0;
    int height = 0;
    // Fills picture rows [rowBegin, rowEnd) into band, whose row 0 is rowBegin; called in row
    // order, one band at a time.
    std::function<void(int rowBegin, int rowEnd, const PixelSurface& band)> fill;
    int bandRows = 0;            // 0: chosen from the width
    std::vector<PngText> texts;  // written after the header, before the rows
};

// The bands of a picture held whole.
PngBands WholeImageBands(const PixelImage& image, int bandRows = 0);
// The same for a surface, which must outlive the writing.
PngBands SurfaceBands(const PixelSurface& surface);

// Takes the file's bytes in order; false stops the writing.
using ByteSink = std::function<bool(const std::uint8_t* data, std::size_t size)>;
// Rows in the file so far.
using RowsWritten = std::function<void(int rows)>;

// False when the sink refused bytes. Exceptions of fill (and std::bad_alloc) pass through.
bool WritePngBands(const PngBands& picture, const ByteSink& sink,
                   const RowsWritten& progress = nullptr);

// Bytes the writer holds at most for a picture this wide.
std::uint64_t PngBandsMemory(int width);

}  // namespace morvale
