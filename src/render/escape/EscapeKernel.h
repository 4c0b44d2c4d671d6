// The vectorised escape-time kernel: computes client rows of a picture straight into a surface.
// Every pixel it writes is bit for bit the one the plain one-pixel-at-a-time loop sets.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>

#include "doc/ColourSeries.h"
#include "doc/EscapeScene.h"
#include "platform/PixelSurface.h"
#include "render/escape/EscapeTally.h"

namespace morvale {

inline constexpr double kEscapeBound = 100;  // on the squared modulus (radius 10)

// Whether the drawing of this scene was asked to stop.
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

// The count of a point whose orbit came back to an earlier value: it stays for ever.
inline constexpr std::int64_t kStaysForEver = std::numeric_limits<std::int64_t>::max();

// Writes the pixel of a point that stayed within the bound for k iterations (k >= limit: it never
// escaped) with squared modulus m at its escape, and tallies it with the iterations the plain loop
// spends on it.
inline void EmitEscapePixel(const EscapeColouring& colours, int limit, std::int64_t k, double m,
                            Pixel* out, EscapeTally& tally) {
    if (k >= limit) {
        *out = colours.black;
        tally.iterations += limit;
        ++tally.stayed;
        tally.undecided += k != kStaysForEver;
        return;
    }
    const int index = EscapeColourIndex(colours.series, int(k), m);
    if (index >= 0) *out = colours.palette[std::size_t(index)];
    tally.iterations += k + 1;
}

// Computes client rows [rowBegin, rowEnd) of the scene into surface (whose row y is client row y).
EscapeTally ComputeEscapeRows(const EscapeScene& scene, const EscapeColouring& colours,
                              int rowBegin, int rowEnd, const PixelSurface& surface,
                              EscapeStrategy strategy);

// The instruction set the kernel dispatched to on this machine ("AVX2", "SSE4", ...).
const char* EscapeKernelTarget();

}  // namespace morvale
