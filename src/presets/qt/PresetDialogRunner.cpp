#include "presets/qt/PresetDialogRunner.h"

#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"

namespace morvale {

template <class Dlg>
PresetDialogOutcome CPresetDialogRunner::Run(const std::vector<std::string>& texts) {
    Dlg dialog(parent_);
    for (std::size_t c = 0; c < texts.size() && c < Dlg::kColumns.size(); ++c)
        dialog.*Dlg::kColumns[c].text = QString::fromStdString(texts[c]);
    PresetDialogOutcome outcome;
    outcome.code = dialog.DoModal();
    outcome.chosen = dialog.m_bChosen != 0;
    for (const QString& text : dialog.m_result) outcome.result.push_back(text.toStdString());
    return outcome;
}

PresetDialogOutcome CPresetDialogRunner::RunJuliaDialog(const std::vector<std::string>& texts) {
    return Run<CJuliaDbDlg>(texts);
}

PresetDialogOutcome CPresetDialogRunner::RunMandelDialog(const std::vector<std::string>& texts) {
    return Run<CMandelDbDlg>(texts);
}

}  // namespace morvale
