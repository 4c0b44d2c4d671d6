// Arguments quoted for the command line's one-line German error messages.
#pragma once

#include <string>

namespace morvale {

// An argument in German quotes for an error line; control characters show as \n, \t or \xNN so
// that the message stays on one line and cannot steer the terminal.
std::string QuotedArgument(const std::string& text);

}  // namespace morvale
