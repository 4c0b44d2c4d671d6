// How drawings off the window's thread show themselves (docs/drawing.md).
#pragma once

#include <chrono>

namespace morvale::pace {

// A drawing done within this shows as if drawn where it was asked for: no progress at all.
inline constexpr std::chrono::milliseconds kWaitInPlace{50};
// Longer drawings show their progress from this on, refreshed this often.
inline constexpr int kQuietMs = 250;
inline constexpr int kProgressMs = 100;

}  // namespace morvale::pace
