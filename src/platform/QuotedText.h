// Texts from files and the command line as messages show them: in German quotes, control
// characters and bytes that are not UTF-8 as escapes, and cut to a length a message can carry.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvale {

// Characters shown before the text is cut (with "…").
inline constexpr std::size_t kQuotedTextCharacters = 120;

// „text“: "\n" and "\t" as such, other control characters (C0, DEL, C1, Unicode's direction
// marks) as \xNN or \uNNNN, each byte that is not part of a UTF-8 character as \xNN.
std::string QuotedText(std::string_view text, std::size_t characters = kQuotedTextCharacters);

}  // namespace morvale
