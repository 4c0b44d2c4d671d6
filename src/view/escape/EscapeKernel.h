// The vectorised escape-time kernel: computes client rows of a picture straight into a surface.
// Every pixel it writes is bit for bit the one the plain one-pixel-at-a-time loop sets.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "doc/ColourSeries.h"
#include "platform/PixelSurface.h"
#include "view/escape/EscapeTally.h"

namespace morvale {

inline constexpr double kEscapeBound = 100;  // on the squared modulus (radius 10)

// What one drawing computes from. Plane values are in plane units, steps per pixel.
struct EscapeScene {
    bool julia = false;  // Julia: z starts at the pixel, c fixed; Mandelbrot: z = 0, c the pixel
    double xMin = 0.0;   // plane value of column 0
    double yMin = 0.0;   // plane value of sample row 0
    double stepX = 0.0;
    double stepY = 0.0;
    double cr = 0.0;  // the Julia constant
    double ci = 0.0;
    int limit = 0;            // iteration limit, > 0 for the kernel
    int columns = 0;          // visible columns: client x in [0, columns)
    int rows = 0;             // visible client rows: client y in [0, rows)
    int firstSampleRow = 50;  // the sample row shown at client row 0
    // Set while computing: the drawing is abandoned and the rows begun may stay unfinished.
    const std::atomic<bool>* stop = nullptr;
};

inline bool StopRequested(const EscapeScene& scene) {
    return scene.stop && scene.stop->load(std::memory_order_relaxed);
}

// Surface pixels of the palette entries and of black, as the device context resolves them.
struct EscapeColouring {
    std::array<Pixel, kPaletteEntries> palette{};
    Pixel black = 0;
    int series = 7;
};

// How the vectors in flight take their pixels. Groups: all of them start on neighbouring pixels
// and finish together (least bookkeeping). Refill: each lane takes the next pixel soon after its
// own is decided, so a point running to a deep limit holds up no other.
// Automatic picks by the iteration limit.
enum class EscapeStrategy { Automatic, Groups, Refill };

// Writes the pixel of a point that stayed within the bound for k iterations (k >= limit: it never
// escaped) with squared modulus m at its escape. Returns the iterations the plain loop spends.
inline std::int64_t EmitEscapePixel(const EscapeColouring& colours, int limit, std::int64_t k,
                                    double m, Pixel* out) {
    if (k >= limit) {
        *out = colours.black;
        return limit;
    }
    const int index = EscapeColourIndex(colours.series, int(k), m);
    if (index >= 0) *out = colours.palette[std::size_t(index)];
    return k + 1;
}

// Computes client rows [rowBegin, rowEnd) of the scene into surface (whose row y is client row y).
EscapeTally ComputeEscapeRows(const EscapeScene& scene, const EscapeColouring& colours,
                              int rowBegin, int rowEnd, const PixelSurface& surface,
                              EscapeStrategy strategy);

// The instruction set the kernel dispatched to on this machine ("AVX2", "SSE4", ...).
const char* EscapeKernelTarget();

}  // namespace morvale
