#include "presets/qt/JuliaDbDlg.h"

#include "presets/PresetTables.h"

namespace morvale {

// clang-format off
constexpr std::array<PresetDbColumn<CJuliaDbDlg>, 7> CJuliaDbDlg::kColumns = {{
    {"XMIN",  "XMIN",  IDC_XMIN,  &CJuliaDbDlg::m_strXMin,  &CJuliaDbDlg::OnChangeXMin,  14,  19},
    {"XMAX",  "XMAX",  IDC_XMAX,  &CJuliaDbDlg::m_strXMax,  &CJuliaDbDlg::OnChangeXMax,  71,  74},
    {"YMIN",  "YMIN",  IDC_YMIN,  &CJuliaDbDlg::m_strYMin,  &CJuliaDbDlg::OnChangeYMin,  128, 129},
    {"YMAX",  "YMAX",  IDC_YMAX,  &CJuliaDbDlg::m_strYMax,  &CJuliaDbDlg::OnChangeYMax,  184, 184},
    {"P",     "P",     IDC_P,     &CJuliaDbDlg::m_strP,     &CJuliaDbDlg::OnChangeP,     242, 242},
    {"Q",     "Q",     IDC_Q,     &CJuliaDbDlg::m_strQ,     &CJuliaDbDlg::OnChangeQ,     299, 299},
    {"TIEFE", "Tiefe", IDC_TIEFE, &CJuliaDbDlg::m_strTiefe, &CJuliaDbDlg::OnChangeTiefe, 349, 349},
}};
// clang-format on

CJuliaDbDlg::CJuliaDbDlg(QWidget* parent)
    : QDialog(parent), form_(*this, "Julia Datenbank", IDC_JULIA_LIST) {
    m_list = form_.List();
    form_.Bind(*this, kColumns, m_result);
    form_.ConnectRowChanges([this](int row) { OnItemChangedList(row); });
    form_.ConnectOk([this] { UpdateData(true); });
}

CJuliaDbDlg::~CJuliaDbDlg() = default;

int CJuliaDbDlg::DoModal() {
    return form_.RunModal(OnInitDialog());
}

bool CJuliaDbDlg::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
    return true;
}

void CJuliaDbDlg::DoDataExchange(bool saveAndValidate) {
    form_.Exchange(saveAndValidate);
}

bool CJuliaDbDlg::OnInitDialog() {
    UpdateData(false);
    form_.Open(JuliaPresets);
    return true;
}

void CJuliaDbDlg::OnItemChangedList(int row) {
    form_.LoadRow(row);
    UpdateData(false);
    m_bChosen = 1;
}

void CJuliaDbDlg::OnChangeP() {
    form_.TakeEdit(m_strP);
}
void CJuliaDbDlg::OnChangeQ() {
    form_.TakeEdit(m_strQ);
}
void CJuliaDbDlg::OnChangeTiefe() {
    form_.TakeEdit(m_strTiefe);
}
void CJuliaDbDlg::OnChangeXMax() {
    form_.TakeEdit(m_strXMax);
}
void CJuliaDbDlg::OnChangeXMin() {
    form_.TakeEdit(m_strXMin);
}
void CJuliaDbDlg::OnChangeYMax() {
    form_.TakeEdit(m_strYMax);
}
void CJuliaDbDlg::OnChangeYMin() {
    form_.TakeEdit(m_strYMin);
}

}  // namespace morvale
