#include "cli/QuotedArgument.h"

namespace morvale {

std::string QuotedArgument(const std::string& text) {
    std::string quoted = "\u201e";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            quoted += c;
        }
    }
    return quoted + "\u201c";
}

}  // namespace morvale
