// The Mandelbrot database: the preset table in a list, and the texts of the chosen row to adjust.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "presets/qt/PresetDbForm.h"

class QTableWidget;

namespace morvale {

class CMandelDbDlg : public QDialog {
    Q_OBJECT

public:
    explicit CMandelDbDlg(QWidget* parent = nullptr);
    ~CMandelDbDlg() override;

    int DoModal();  // IDOK or IDCANCEL
    bool UpdateData(bool saveAndValidate = true);

    int m_bChosen = 0;                // 1 once the user changed the list's row
    std::array<QString, 5> m_result;  // PMIN, PMAX, QMIN, QMAX, depth: what the caller takes
    QTableWidget* m_list = nullptr;   // owned by the dialog
    QString m_strPMax;
    QString m_strPMin;
    QString m_strQMax;
    QString m_strQMin;
    QString m_strTiefe;

    // The list's columns left to right, with the field, edit string and handler of each.
    static const std::array<PresetDbColumn<CMandelDbDlg>, 5> kColumns;

protected:
    void DoDataExchange(bool saveAndValidate);
    bool OnInitDialog();
    void OnItemChangedList(int row);
    void OnChangePMax();
    void OnChangePMin();
    void OnChangeQMax();
    void OnChangeQMin();
    void OnChangeTiefe();

private:
    PresetDbForm form_;
};

}  // namespace morvale
