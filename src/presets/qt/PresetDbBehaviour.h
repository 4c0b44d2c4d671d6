// What the two database dialogs do, written once for either dialog class. A dialog befriends
// its instance and lists its edit strings by column in kColumnText.
#pragma once

#include <QString>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "presets/qt/DataExchange.h"
#include "presets/qt/PresetDbForm.h"

namespace morvale {

template <class Dlg>
struct PresetDbEditHandler {
    UINT editId;
    void (Dlg::*handler)();
};

template <class Dlg>
struct PresetDbBehaviour {
    static void Connect(Dlg& dlg, std::span<const PresetDbEditHandler<Dlg>> editMap) {
        static_assert(Dlg::kColumnText.size() == std::tuple_size_v<decltype(dlg.m_result)>,
                      "one edit string per result slot");
        dlg.form_.ConnectRowChanges([&dlg](int row) { dlg.OnItemChangedList(row); });
        for (const PresetDbEditHandler<Dlg>& entry : editMap)
            dlg.form_.ConnectEdit(entry.editId, [&dlg, h = entry.handler] { (dlg.*h)(); });
        dlg.form_.ConnectOk([&dlg] { dlg.UpdateData(true); });
    }

    static bool UpdateData(Dlg& dlg, bool saveAndValidate) {
        CDataExchange dx(&dlg, saveAndValidate);
        dlg.DoDataExchange(&dx);
        return true;
    }

    static int DoModal(Dlg& dlg) { return dlg.form_.RunModal(dlg.OnInitDialog()); }

    template <class Rows>
    static bool OnInitDialog(Dlg& dlg, std::span<const std::string_view> headings,
                             const Rows& rows) {
        dlg.UpdateData(false);
        // Until a row or an edit fills a slot, it holds what its field showed at the start, so
        // OK at once hands the caller's texts back unchanged.
        for (std::size_t c = 0; c < dlg.m_result.size(); ++c)
            dlg.m_result[c] = dlg.*Dlg::kColumnText[c];
        dlg.form_.Fill(headings, rows);
        return true;
    }

    static void LoadRow(Dlg& dlg, int row) {
        for (std::size_t c = 0; c < dlg.m_result.size(); ++c) {
            const QString text = dlg.form_.CellText(row, int(c));
            dlg.m_result[c] = text;
            dlg.*Dlg::kColumnText[c] = text;
        }
        dlg.UpdateData(false);
        dlg.m_bChosen = 1;
    }

    static void TakeEdit(Dlg& dlg, const QString& field) {
        dlg.UpdateData(true);
        for (std::size_t c = 0; c < dlg.m_result.size(); ++c)
            if (&(dlg.*Dlg::kColumnText[c]) == &field) dlg.m_result[c] = field;
    }

    // For the caller: the texts the fields show when the dialog opens, in column order.
    static void SetEditTexts(Dlg& dlg, const std::vector<std::string>& texts) {
        for (std::size_t c = 0; c < texts.size() && c < Dlg::kColumnText.size(); ++c)
            dlg.*Dlg::kColumnText[c] = QString::fromStdString(texts[c]);
    }

    static std::vector<std::string> Results(const Dlg& dlg) {
        std::vector<std::string> texts;
        for (const QString& text : dlg.m_result) texts.push_back(text.toStdString());
        return texts;
    }
};

}  // namespace morvale
