// Whether the machine can take a picture before any of its memory is taken or a byte written.
#pragma once

#include <cstdint>
#include <string>

namespace morvale {

// Empty, or one German line: the memory a width × height picture needs, streamed (a few bands)
// or held whole, with the deep orbits' and tables' most, against the machine's memory.
std::string CheckPictureMemory(int width, int height, bool whole, std::uint64_t orbits = 0);

// Empty, or one German line when freeBytes cannot hold even the smallest file a width × height
// picture can become.
std::string CheckPictureSpace(int width, int height, std::uint64_t freeBytes);

}  // namespace morvale
