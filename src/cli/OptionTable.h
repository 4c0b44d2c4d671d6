// The walk over a command line that morvale-render and morvale-video share: an option from its
// table, its value inline after "=" or as the next argument, and the option's handler.
#pragma once

#include <algorithm>
#include <span>
#include <string>

#include "platform/QuotedText.h"

namespace morvale {

// Takes the option at args[i] (and its value, advancing i) into o; an error text, or empty.
// Table entries have name, value (a placeholder; null for a switch) and handle(o, value).
template <class Options, class Table>
std::string TakeOption(std::span<const std::string> args, std::size_t& i, Options& o,
                       const Table& table) {
    std::string name = args[i], value;
    const std::size_t equals = name.find('=');
    const bool inlineValue = name.starts_with("--") && equals != std::string::npos;
    if (inlineValue) {
        value = name.substr(equals + 1);
        name.resize(equals);
    }
    for (const auto& option : table) {
        if (name != option.name) continue;
        if (option.value && !inlineValue) {
            if (i + 1 >= args.size()) return name + ": Wert fehlt (" + option.value + ")";
            value = args[++i];
        }
        return option.handle(o, value);
    }
    return "unbekannte Option " + QuotedText(args[i]) + " (--help zeigt alle Optionen)";
}

// One line per option: its name, value placeholder and help text in aligned columns.
template <class Table>
std::string OptionHelp(const Table& table) {
    std::string text;
    for (const auto& option : table) {
        std::string left = std::string("  ") + option.name;
        if (option.value) left += std::string(" ") + option.value;
        left.resize(std::max<std::size_t>(left.size() + 1, 28), ' ');
        text += left + option.help + "\n";
    }
    return text;
}

}  // namespace morvale
