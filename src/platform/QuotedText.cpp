#include "platform/QuotedText.h"

#include <cstdint>

namespace morvale {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string HexEscape(char prefix, std::uint32_t value, int digits) {
    std::string out = {'\\', prefix};
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 15];
    return out;
}

// The length of the UTF-8 character at the start of text and its code point; 0 when the bytes
// are no well-formed character (overlong forms and surrogates included).
std::size_t DecodeUtf8(std::string_view text, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xe0) == 0xc0) {
        length = 2, code = lead & 0x1f, minimum = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, code = lead & 0x0f, minimum = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80) return 0;
        code = code << 6 | (next & 0x3f);
    }
    const bool sound = code >= minimum && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
    return sound ? length : 0;
}

// Characters a terminal or a dialog would act on rather than show.
bool IsControl(std::uint32_t code) {
    return code < 0x20 || (code >= 0x7f && code < 0xa0) || (code >= 0x200e && code <= 0x200f) ||
           (code >= 0x202a && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string QuotedText(std::string_view text, std::size_t characters) {
    std::string quoted = "\u201e";
    std::size_t shown = 0;
    while (!text.empty()) {
        if (shown++ == characters) {
            quoted += "\u2026";
            break;
        }
        std::uint32_t code = 0;
        const std::size_t length = DecodeUtf8(text, code);
        if (length == 0)
            quoted += HexEscape('x', static_cast<unsigned char>(text[0]), 2);
        else if (code == '\n')
            quoted += "\\n";
        else if (code == '\t')
            quoted += "\\t";
        else if (IsControl(code))
            quoted += code < 0x100 ? HexEscape('x', code, 2) : HexEscape('u', code, 4);
        else
            quoted.append(text.substr(0, length));
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return quoted + "\u201c";
}

}  // namespace morvale
