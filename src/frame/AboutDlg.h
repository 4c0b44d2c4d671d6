// The About box: program name, version, author and date beside the program icon.
#pragma once

#include <QDialog>

namespace morvale {

class CAboutDlg : public QDialog {
public:
    // Without a parent the application's main window owns the box.
    explicit CAboutDlg(QWidget* parent = nullptr);

    int DoModal() { return exec(); }

    // Dialog units to pixels, from the dialog font's average character size.
    QRect MapDialogRect(int x, int y, int width, int height) const;
};

}  // namespace morvale
