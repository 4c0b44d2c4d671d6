// The Julia database: the preset table in a list, and the texts of the chosen row to adjust.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "presets/qt/PresetDbForm.h"

class QTableWidget;

namespace morvale {

class CJuliaDbDlg : public QDialog {
    Q_OBJECT

public:
    explicit CJuliaDbDlg(QWidget* parent = nullptr);
    ~CJuliaDbDlg() override;

    int DoModal();  // IDOK or IDCANCEL
    bool UpdateData(bool saveAndValidate = true);

    int m_bChosen = 0;                // 1 once the user changed the list's row
    std::array<QString, 7> m_result;  // XMIN, XMAX, YMIN, YMAX, P, Q, depth: what the caller takes
    QTableWidget* m_list = nullptr;   // owned by the dialog
    QString m_strP;
    QString m_strQ;
    QString m_strTiefe;
    QString m_strYMax;
    QString m_strYMin;
    QString m_strXMin;
    QString m_strXMax;

    // The list's columns left to right, with the field, edit string and handler of each.
    static const std::array<PresetDbColumn<CJuliaDbDlg>, 7> kColumns;

protected:
    void DoDataExchange(bool saveAndValidate);
    bool OnInitDialog();
    void OnItemChangedList(int row);
    void OnChangeP();
    void OnChangeQ();
    void OnChangeTiefe();
    void OnChangeXMax();
    void OnChangeXMin();
    void OnChangeYMax();
    void OnChangeYMin();

private:
    PresetDbForm form_;
};

}  // namespace morvale
