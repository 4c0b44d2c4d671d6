#include "presets/qt/PresetDialogRunner.h"

#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"

namespace morvale {

template <class Dlg>
PresetDialogOutcome CPresetDialogRunner::Run(const std::vector<std::string>& texts) {
    Dlg dialog(parent_);
    PresetDbBehaviour<Dlg>::SetEditTexts(dialog, texts);
    PresetDialogOutcome outcome;
    outcome.code = dialog.DoModal();
    outcome.chosen = dialog.m_bChosen != 0;
    outcome.result = PresetDbBehaviour<Dlg>::Results(dialog);
    return outcome;
}

PresetDialogOutcome CPresetDialogRunner::RunJuliaDialog(const std::vector<std::string>& texts) {
    return Run<CJuliaDbDlg>(texts);
}

PresetDialogOutcome CPresetDialogRunner::RunMandelDialog(const std::vector<std::string>& texts) {
    return Run<CMandelDbDlg>(texts);
}

}  // namespace morvale
