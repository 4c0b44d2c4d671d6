// The one-page guide of the help menu (F1): how to get a picture, explore it, keep it, and
// what each button of the tree toolbar does. Modeless, so it can stay open beside the window.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace morvale {

class CGuideDlg : public QDialog {
public:
    // treeBarStrip: the tree toolbar's images, whose buttons the guide shows.
    CGuideDlg(const QString& treeBarStrip, QWidget* parent);

    QTextBrowser* Browser() const { return browser_; }

private:
    void AddButtonImages(const QString& strip);

    QTextBrowser* browser_;
};

}  // namespace morvale
