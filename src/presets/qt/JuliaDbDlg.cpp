#include "presets/qt/JuliaDbDlg.h"

#include "presets/PresetTables.h"

namespace morvale {
namespace {

constexpr PresetDbField kFields[] = {
    {"XMIN", IDC_XMIN, 14, 19},     {"XMAX", IDC_XMAX, 71, 74}, {"YMIN", IDC_YMIN, 128, 129},
    {"YMAX", IDC_YMAX, 184, 184},   {"P", IDC_P, 242, 242},     {"Q", IDC_Q, 299, 299},
    {"Tiefe", IDC_TIEFE, 349, 349},
};
constexpr PresetDbLayout kLayout{"Julia Datenbank", IDC_JULIA_LIST, kFields};

}  // namespace

const std::array<QString CJuliaDbDlg::*, 7> CJuliaDbDlg::kColumnText = {
    &CJuliaDbDlg::m_strXMin,  &CJuliaDbDlg::m_strXMax, &CJuliaDbDlg::m_strYMin,
    &CJuliaDbDlg::m_strYMax,  &CJuliaDbDlg::m_strP,    &CJuliaDbDlg::m_strQ,
    &CJuliaDbDlg::m_strTiefe,
};

const std::array<PresetDbEditHandler<CJuliaDbDlg>, 7> CJuliaDbDlg::kMessageMap = {{
    {IDC_P, &CJuliaDbDlg::OnChangeP},
    {IDC_Q, &CJuliaDbDlg::OnChangeQ},
    {IDC_TIEFE, &CJuliaDbDlg::OnChangeTiefe},
    {IDC_XMAX, &CJuliaDbDlg::OnChangeXMax},
    {IDC_XMIN, &CJuliaDbDlg::OnChangeXMin},
    {IDC_YMAX, &CJuliaDbDlg::OnChangeYMax},
    {IDC_YMIN, &CJuliaDbDlg::OnChangeYMin},
}};

CJuliaDbDlg::CJuliaDbDlg(QWidget* parent) : QDialog(parent), form_(*this, kLayout) {
    m_list = form_.List();
    Behaviour::Connect(*this, kMessageMap);
}

CJuliaDbDlg::~CJuliaDbDlg() = default;

int CJuliaDbDlg::DoModal() {
    return Behaviour::DoModal(*this);
}

bool CJuliaDbDlg::UpdateData(bool saveAndValidate) {
    return Behaviour::UpdateData(*this, saveAndValidate);
}

void CJuliaDbDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_P, m_strP);
    DDX_Text(pDX, IDC_Q, m_strQ);
    DDX_Text(pDX, IDC_TIEFE, m_strTiefe);
    DDX_Text(pDX, IDC_YMAX, m_strYMax);
    DDX_Text(pDX, IDC_YMIN, m_strYMin);
    DDX_Text(pDX, IDC_XMIN, m_strXMin);
    DDX_Text(pDX, IDC_XMAX, m_strXMax);
}

bool CJuliaDbDlg::OnInitDialog() {
    return Behaviour::OnInitDialog(*this, JuliaPresetColumns, JuliaPresets);
}

void CJuliaDbDlg::OnItemChangedList(int row) {
    Behaviour::LoadRow(*this, row);
}

void CJuliaDbDlg::OnChangeP() {
    Behaviour::TakeEdit(*this, m_strP);
}
void CJuliaDbDlg::OnChangeQ() {
    Behaviour::TakeEdit(*this, m_strQ);
}
void CJuliaDbDlg::OnChangeTiefe() {
    Behaviour::TakeEdit(*this, m_strTiefe);
}
void CJuliaDbDlg::OnChangeXMax() {
    Behaviour::TakeEdit(*this, m_strXMax);
}
void CJuliaDbDlg::OnChangeXMin() {
    Behaviour::TakeEdit(*this, m_strXMin);
}
void CJuliaDbDlg::OnChangeYMax() {
    Behaviour::TakeEdit(*this, m_strYMax);
}
void CJuliaDbDlg::OnChangeYMin() {
    Behaviour::TakeEdit(*this, m_strYMin);
}

}  // namespace morvale
