#include "presets/qt/MandelDbDlg.h"

#include "presets/PresetTables.h"

namespace morvale {
namespace {

constexpr PresetDbField kFields[] = {
    {"PMIN", IDC_PMIN, 14, 19},   {"PMAX", IDC_PMAX, 71, 74},     {"QMIN", IDC_QMIN, 128, 129},
    {"QMAX", IDC_QMAX, 184, 184}, {"Tiefe", IDC_TIEFE, 238, 238},
};
constexpr PresetDbLayout kLayout{"Mandel Datenbank", IDC_MANDEL_LIST, kFields};

}  // namespace

const std::array<QString CMandelDbDlg::*, 5> CMandelDbDlg::kColumnText = {
    &CMandelDbDlg::m_strPMin, &CMandelDbDlg::m_strPMax,  &CMandelDbDlg::m_strQMin,
    &CMandelDbDlg::m_strQMax, &CMandelDbDlg::m_strTiefe,
};

const std::array<PresetDbEditHandler<CMandelDbDlg>, 5> CMandelDbDlg::kMessageMap = {{
    {IDC_PMAX, &CMandelDbDlg::OnChangePMax},
    {IDC_PMIN, &CMandelDbDlg::OnChangePMin},
    {IDC_QMAX, &CMandelDbDlg::OnChangeQMax},
    {IDC_QMIN, &CMandelDbDlg::OnChangeQMin},
    {IDC_TIEFE, &CMandelDbDlg::OnChangeTiefe},
}};

CMandelDbDlg::CMandelDbDlg(QWidget* parent) : QDialog(parent), form_(*this, kLayout) {
    m_list = form_.List();
    Behaviour::Connect(*this, kMessageMap);
}

CMandelDbDlg::~CMandelDbDlg() = default;

int CMandelDbDlg::DoModal() {
    return Behaviour::DoModal(*this);
}

bool CMandelDbDlg::UpdateData(bool saveAndValidate) {
    return Behaviour::UpdateData(*this, saveAndValidate);
}

void CMandelDbDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_PMAX, m_strPMax);
    DDX_Text(pDX, IDC_PMIN, m_strPMin);
    DDX_Text(pDX, IDC_QMAX, m_strQMax);
    DDX_Text(pDX, IDC_QMIN, m_strQMin);
    DDX_Text(pDX, IDC_TIEFE, m_strTiefe);
}

bool CMandelDbDlg::OnInitDialog() {
    return Behaviour::OnInitDialog(*this, MandelPresetColumns, MandelPresets);
}

void CMandelDbDlg::OnItemChangedList(int row) {
    Behaviour::LoadRow(*this, row);
}

void CMandelDbDlg::OnChangePMax() {
    Behaviour::TakeEdit(*this, m_strPMax);
}
void CMandelDbDlg::OnChangePMin() {
    Behaviour::TakeEdit(*this, m_strPMin);
}
void CMandelDbDlg::OnChangeQMax() {
    Behaviour::TakeEdit(*this, m_strQMax);
}
void CMandelDbDlg::OnChangeQMin() {
    Behaviour::TakeEdit(*this, m_strQMin);
}
void CMandelDbDlg::OnChangeTiefe() {
    Behaviour::TakeEdit(*this, m_strTiefe);
}

}  // namespace morvale
