// Runs the database dialogs for the document, modal to the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "doc/PresetDialogs.h"

namespace morvale {

class CPresetDialogRunner : public IPresetDialogs {
public:
    explicit CPresetDialogRunner(QWidget* parent = nullptr) : parent_(parent) {}

    PresetDialogOutcome RunJuliaDialog(const std::vector<std::string>& texts) override;
    PresetDialogOutcome RunMandelDialog(const std::vector<std::string>& texts) override;

private:
    template <class Dlg>
    PresetDialogOutcome Run(const std::vector<std::string>& texts);

    QPointer<QWidget> parent_;
};

}  // namespace morvale
