#include "cli/PictureBudget.h"

#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/PixelSurface.h"
#include "png/PngBands.h"

namespace morvale {
namespace {

// Deflate writes at least one bit per 258 bytes of a run: no file is smaller than this part of
// its raw bytes.
constexpr std::uint64_t kBestRatio = 1032;

struct Unit {
    std::uint64_t bytes;
    const char* name;
};
constexpr Unit kUnits[] = {{std::uint64_t(1) << 40, "TB"},
                           {std::uint64_t(1) << 30, "GB"},
                           {std::uint64_t(1) << 20, "MB"},
                           {std::uint64_t(1) << 10, "KB"},
                           {1, "Bytes"}};

std::uint64_t MachineMemory() {
    return std::uint64_t(sysconf(_SC_PHYS_PAGES)) * std::uint64_t(sysconf(_SC_PAGESIZE));
}

// What a picture needs against what there is, in one unit (the largest of which `need` holds
// ten, so that neither is off by more than a tenth). Rounding `need` up and `have` down keeps
// two figures apart whenever need exceeds have.
std::pair<std::string, std::string> NeedAndHave(std::uint64_t need, std::uint64_t have) {
    const Unit* unit = std::find_if(std::begin(kUnits), std::end(kUnits),
                                    [need](const Unit& u) { return need / 10 >= u.bytes; });
    if (unit == std::end(kUnits)) unit = std::prev(std::end(kUnits));
    const std::string name = std::string(" ") + unit->name;
    return {std::to_string(need / unit->bytes + (need % unit->bytes != 0)) + name,
            std::to_string(have / unit->bytes) + name};
}

}  // namespace

std::string CheckPictureMemory(int width, int height, bool whole, std::uint64_t orbits) {
    std::uint64_t need = PngBandsMemory(width) + orbits;
    if (whole) need += std::uint64_t(width) * std::uint64_t(height) * sizeof(Pixel);
    const std::uint64_t have = MachineMemory();
    if (need <= have) return {};
    const auto [needText, haveText] = NeedAndHave(need, have);
    return "das Bild " + std::to_string(width) + "x" + std::to_string(height) + " braucht etwa " +
           needText + " Arbeitsspeicher, der Rechner hat " + haveText;
}

std::string CheckPictureSpace(int width, int height, std::uint64_t freeBytes) {
    const std::uint64_t raw = (std::uint64_t(width) * 3 + 1) * std::uint64_t(height);
    const std::uint64_t least = raw / kBestRatio;
    if (least <= freeBytes) return {};
    const auto [needText, haveText] = NeedAndHave(least, freeBytes);
    return "das Bild " + std::to_string(width) + "x" + std::to_string(height) +
           " braucht mindestens " + needText + ", auf dem Datenträger sind nur " + haveText +
           " frei";
}

}  // namespace morvale
