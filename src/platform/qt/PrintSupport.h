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

class LastFolders;

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
    // The document printed from now on: a file print is then offered as <title>.pdf (see
    // OfferedPdfFile) until the user or the program names another file.
    void SetDocument(const QString& title, const QString& path);
    // Where the folder of the last print to a file is kept; may stay unset.
    void SetFolders(LastFolders* folders) { folders_ = folders; }
    // The status prompt and tool tip of the preview's close button.
    void SetPreviewCloseTexts(const QString& prompt, const QString& toolTip);
    // <title>.pdf beside the document, else in the last print folder, else in the home folder.
    QString OfferedPdfFile() const;

    // The printer setup dialog; where Qt offers none (no printer, only PDF files) the page
    // setup. Cancel changes nothing.
    bool PrintSetup(QWidget* parent);
    // With the dialog, Cancel prints nothing; true when a page was printed.
    bool Print(QWidget* parent, bool withDialog, const PageDrawer& draw);
    // The preview opens over the parent's window at three quarters of its size.
    void Preview(QWidget* parent, const PageDrawer& draw);

    // Draws one page: white paper, then the drawer's picture. False if the printer cannot start
    // or the drawing was cancelled.
    static bool PrintPage(QPrinter* printer, const PageDrawer& draw);
    // The page image a drawer makes, at the printer's printable size; null when cancelled.
    static QImage RenderPage(QPrinter* printer, const PageDrawer& draw);

private:
    void OfferPdfFile();

    QPrinter printer_;
    QString documentPath_;
    LastFolders* folders_ = nullptr;
    QString previewClosePrompt_;
    QString previewCloseToolTip_;
};

}  // namespace morvale
