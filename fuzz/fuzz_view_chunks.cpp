// The view chunk reader takes any bytes without a fault; whatever it reads as a view is a sound
// one: written out and read again, it gives back the same texts.
#include <cstdlib>
#include <sstream>
#include <string>

#include "keep/ViewFile.h"

using namespace morvale;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const ViewReading reading = ReadView(in);
    Check((reading.outcome == ViewOutcome::Read) == ViewReadingMessage(reading, "f").empty());
    if (reading.outcome != ViewOutcome::Read && reading.outcome != ViewOutcome::Tree) return 0;
    Check(reading.record.client.width > 0 && reading.record.client.height > 0);
    PixelImage pixel(1, 1);
    std::string again;
    Check(WritePictureWithView(pixel.Surface(), reading.record,
                               [&again](const std::uint8_t* bytes, std::size_t count) {
                                   again.append(reinterpret_cast<const char*>(bytes), count);
                                   return true;
                               }));
    std::istringstream reread(again);
    const ViewReading second = ReadView(reread);
    Check(second.outcome == reading.outcome);
    Check(ViewTexts(second.record) == ViewTexts(reading.record));
    return 0;
}
