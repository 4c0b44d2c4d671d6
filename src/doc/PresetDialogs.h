// How the document runs a database dialog without knowing the toolkit that shows it.
#pragma once

#include <string>
#include <vector>

#include "platform/CommandIds.h"

namespace morvale {

struct PresetDialogOutcome {
    int code = IDCANCEL;              // or IDOK
    bool chosen = false;              // m_bChosen
    std::vector<std::string> result;  // m_result, one text per column
};

class IPresetDialogs {
public:
    virtual ~IPresetDialogs() = default;
    // texts: what the edit fields show when the dialog opens, in column order.
    virtual PresetDialogOutcome RunJuliaDialog(const std::vector<std::string>& texts) = 0;
    virtual PresetDialogOutcome RunMandelDialog(const std::vector<std::string>& texts) = 0;
};

}  // namespace morvale
