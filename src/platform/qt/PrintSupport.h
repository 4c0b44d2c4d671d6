// The application's printer and the three ways to use it: print (with or without the print
// dialog), print preview and printer setup. A page is drawn by a callback on a device context
// whose device size is the printable page in printer pixels; it returns false when the user
// cancelled the page, which then is not printed.
#pragma once

#include <QImage>
#include <QPrinter>
#include <QString>
#include <functional>

#include "platform/CDC.h"

class QWidget;

namespace morvale {

class PrintSupport {
public:
    using PageDrawer = std::function<bool(CDC& dc)>;

    // Printer pixels per inch. The page becomes an off-screen image of this resolution; 150 keeps
    // an A4 page near 1200 x 1700 pixels, about what a screen shows.
    static constexpr int kResolution = 150;

    PrintSupport();

    QPrinter& Printer() { return printer_; }
    // False when only a PDF file can be printed to (no printer is set up).
    bool HasPrinter() const { return printer_.outputFormat() == QPrinter::NativeFormat; }
    void SetDocumentName(const QString& name);

    // Page setup dialog; Cancel changes nothing.
    bool PrintSetup(QWidget* parent);
    // With the dialog, Cancel prints nothing; true when a page was printed.
    bool Print(QWidget* parent, bool withDialog, const PageDrawer& draw);
    void Preview(QWidget* parent, const PageDrawer& draw);

    // Draws one page: white paper, then the drawer's picture. False if the printer cannot start
    // or the drawing was cancelled.
    static bool PrintPage(QPrinter* printer, const PageDrawer& draw);
    // The page image a drawer makes, at the printer's printable size; null when cancelled.
    static QImage RenderPage(QPrinter* printer, const PageDrawer& draw);

private:
    void PrepareFileOutput();

    QPrinter printer_;
};

}  // namespace morvale
