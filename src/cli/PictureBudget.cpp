#include "cli/PictureBudget.h"

#include <unistd.h>

#include "png/PngBands.h"
#include "platform/PixelSurface.h"

namespace morvale {
namespace {

// Deflate writes at least one bit per 258 bytes of a run: no file is smaller than this part of
// its raw bytes.
constexpr std::uint64_t kBestRatio = 1032;
constexpr std::uint64_t kMegabyte = 1024 * 1024;

std::uint64_t MachineMemory() {
    return std::uint64_t(sysconf(_SC_PHYS_PAGES)) * std::uint64_t(sysconf(_SC_PAGESIZE));
}

std::string Megabytes(std::uint64_t bytes) {
    return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB";
}

}  // namespace

std::string CheckPictureMemory(int width, int height, bool whole) {
    std::uint64_t need = PngBandsMemory(width);
    if (whole) need += std::uint64_t(width) * std::uint64_t(height) * sizeof(Pixel);
    const std::uint64_t have = MachineMemory();
    if (need <= have) return {};
    return "das Bild " + std::to_string(width) + "x" + std::to_string(height) + " braucht etwa " +
           Megabytes(need) + " Arbeitsspeicher, der Rechner hat " + Megabytes(have);
}

std::string CheckPictureSpace(int width, int height, std::uint64_t freeBytes) {
    const std::uint64_t raw = (std::uint64_t(width) * 3 + 1) * std::uint64_t(height);
    const std::uint64_t least = raw / kBestRatio;
    if (least <= freeBytes) return {};
    return "das Bild " + std::to_string(width) + "x" + std::to_string(height) +
           " braucht mindestens " + Megabytes(least) + ", auf dem Datenträger sind nur " +
           Megabytes(freeBytes) + " frei";
}

}  // namespace morvale
