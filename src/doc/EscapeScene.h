// What one escape-time drawing computes from: the document's prepared values for one device.
#pragma once

#include <atomic>
#include <memory>

namespace morvale {

class DeepScene;

inline constexpr int kHiddenRows = 50;  // sample row r is shown at client row r - 50

// Plane values are in plane units, steps per pixel.
struct EscapeScene {
    bool julia = false;  // Julia: z starts at the pixel, c fixed; Mandelbrot: z = 0, c the pixel
    double xMin = 0.0;   // plane value of column 0
    double yMin = 0.0;   // plane value of sample row 0
    double stepX = 0.0;
    double stepY = 0.0;
    double cr = 0.0;  // the Julia constant
    double ci = 0.0;
    int limit = 0;                     // iteration limit, > 0 for the kernel
    int columns = 0;                   // visible columns: client x in [0, columns)
    int rows = 0;                      // visible client rows: client y in [0, rows)
    int firstSampleRow = kHiddenRows;  // the sample row shown at client row 0
    // Set while computing: the drawing is abandoned and the rows begun may stay unfinished.
    const std::atomic<bool>* stop = nullptr;
    // Set when the steps are too fine for double: the pixels are computed from it instead.
    std::shared_ptr<DeepScene> deep;
};

}  // namespace morvale
