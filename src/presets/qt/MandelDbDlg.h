// The Mandelbrot database: the preset table in a list, and the texts of the chosen row to adjust.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "presets/qt/PresetDbBehaviour.h"
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

protected:
    void DoDataExchange(CDataExchange* pDX);
    bool OnInitDialog();
    void OnItemChangedList(int row);
    void OnChangePMax();
    void OnChangePMin();
    void OnChangeQMax();
    void OnChangeQMin();
    void OnChangeTiefe();

private:
    using Behaviour = PresetDbBehaviour<CMandelDbDlg>;
    friend Behaviour;
    static const std::array<QString CMandelDbDlg::*, 5> kColumnText;  // edit string of each column
    static const std::array<PresetDbEditHandler<CMandelDbDlg>, 5> kMessageMap;

    PresetDbForm form_;
};

}  // namespace morvale
