#include "presets/qt/MandelDbDlg.h"

#include "presets/PresetTables.h"

namespace morvale {

// clang-format off
constexpr std::array<PresetDbColumn<CMandelDbDlg>, 5> CMandelDbDlg::kColumns = {{
    {"PMIN",  "PMIN",  IDC_PMIN,  &CMandelDbDlg::m_strPMin,  &CMandelDbDlg::OnChangePMin,  14,  19},
    {"PMAX",  "PMAX",  IDC_PMAX,  &CMandelDbDlg::m_strPMax,  &CMandelDbDlg::OnChangePMax,  71,  74},
    {"QMIN",  "QMIN",  IDC_QMIN,  &CMandelDbDlg::m_strQMin,  &CMandelDbDlg::OnChangeQMin,  128, 129},
    {"QMAX",  "QMAX",  IDC_QMAX,  &CMandelDbDlg::m_strQMax,  &CMandelDbDlg::OnChangeQMax,  184, 184},
    {"TIEFE", "Tiefe", IDC_TIEFE, &CMandelDbDlg::m_strTiefe, &CMandelDbDlg::OnChangeTiefe, 238, 238},
}};
// clang-format on

CMandelDbDlg::CMandelDbDlg(QWidget* parent)
    : QDialog(parent), form_(*this, "Mandel Datenbank", IDC_MANDEL_LIST) {
    m_list = form_.List();
    form_.Bind(*this, kColumns, m_result);
    form_.ConnectRowChanges([this](int row) { OnItemChangedList(row); });
    form_.ConnectOk([this] { UpdateData(true); });
}

CMandelDbDlg::~CMandelDbDlg() = default;

int CMandelDbDlg::DoModal() {
    return form_.RunModal(OnInitDialog());
}

bool CMandelDbDlg::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
    return true;
}

void CMandelDbDlg::DoDataExchange(bool saveAndValidate) {
    form_.Exchange(saveAndValidate);
}

bool CMandelDbDlg::OnInitDialog() {
    UpdateData(false);
    form_.Open(MandelPresets);
    return true;
}

void CMandelDbDlg::OnItemChangedList(int row) {
    form_.LoadRow(row);
    UpdateData(false);
    m_bChosen = 1;
}

void CMandelDbDlg::OnChangePMax() {
    form_.TakeEdit(m_strPMax);
}
void CMandelDbDlg::OnChangePMin() {
    form_.TakeEdit(m_strPMin);
}
void CMandelDbDlg::OnChangeQMax() {
    form_.TakeEdit(m_strQMax);
}
void CMandelDbDlg::OnChangeQMin() {
    form_.TakeEdit(m_strQMin);
}
void CMandelDbDlg::OnChangeTiefe() {
    form_.TakeEdit(m_strTiefe);
}

}  // namespace morvale
