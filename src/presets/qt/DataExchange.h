// Moving texts between a dialog's edit fields and its members, in either direction.
#pragma once

#include <QString>

#include "platform/CommandIds.h"

class QWidget;

namespace morvale {

class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate;  // true: fields to members; false: members to fields
    QWidget* m_pDlgWnd;
};

// Exchanges one edit field, found by its control id. Setting a field's text is not a user
// edit, so it raises no edit-changed notification.
void DDX_Text(CDataExchange* pDX, UINT id, QString& value);

// The object name that lets DDX_Text find a control.
QString ControlName(UINT id);

}  // namespace morvale
