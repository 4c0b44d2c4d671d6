// Any text converts without a fault; the integer rules agree with the C library where it is
// defined.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/TextConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double d = morvale::Atof(text);
    const int i = morvale::Atoi(text);
    const double reference = std::strtod(text.c_str(), nullptr);  // the fuzzer runs in the C locale
    if (!(d == reference || (d != d && reference != reference))) std::abort();
    errno = 0;
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    const long long expected = wide > INT_MAX ? INT_MAX : wide < INT_MIN ? INT_MIN : wide;
    if (i != expected) std::abort();
    return 0;
}
