#include "presets/qt/DataExchange.h"

#include <QLineEdit>
#include <QWidget>

namespace morvale {

QString ControlName(UINT id) {
    return QString::number(id);
}

void DDX_Text(CDataExchange* pDX, UINT id, QString& value) {
    auto* edit = pDX->m_pDlgWnd->findChild<QLineEdit*>(ControlName(id));
    Q_ASSERT(edit);
    if (!edit) return;
    if (pDX->m_bSaveAndValidate)
        value = edit->text();
    else if (edit->text() != value) {
        edit->setText(value);
        edit->setCursorPosition(0);  // long texts show their beginning
    }
}

}  // namespace morvale
