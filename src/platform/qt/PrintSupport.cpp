#include "platform/qt/PrintSupport.h"

#include <QDir>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

namespace morvale {

PrintSupport::PrintSupport() : printer_(QPrinter::PrinterResolution) {
    printer_.setResolution(kResolution);
    printer_.setCreator(QStringLiteral("Morvale"));
}

void PrintSupport::SetDocumentName(const QString& name) {
    printer_.setDocName(name);
}

bool PrintSupport::PrintSetup(QWidget* parent) {
    QPageSetupDialog dialog(&printer_, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintSupport::PrepareFileOutput() {
    // Without a printer Qt offers only a PDF file; give it a file name rather than the home folder.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
        QString name = printer_.docName().isEmpty() ? QStringLiteral("Morva") : printer_.docName();
        if (name.endsWith(QLatin1String(".mv1"))) name.chop(4);
        printer_.setOutputFileName(QDir::home().filePath(name + QStringLiteral(".pdf")));
    }
}

bool PrintSupport::Print(QWidget* parent, bool withDialog, const PageDrawer& draw) {
    PrepareFileOutput();
    if (withDialog) {
        QPrintDialog dialog(&printer_, parent);
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    return PrintPage(&printer_, draw);
}

void PrintSupport::Preview(QWidget* parent, const PageDrawer& draw) {
    QPrintPreviewDialog dialog(&printer_, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter* printer) { PrintPage(printer, draw); });
    dialog.exec();
}

QImage PrintSupport::RenderPage(QPrinter* printer, const PageDrawer& draw) {
    QImage page(printer->width(), printer->height(), QImage::Format_RGB32);
    if (page.isNull()) return page;
    page.fill(Qt::white);
    PixelSurface surface{reinterpret_cast<Pixel*>(page.bits()), page.width(), page.height(),
                         page.bytesPerLine() / 4};
    CDC dc(surface, page.width(), page.height());
    if (!draw(dc)) return {};
    return page;
}

bool PrintSupport::PrintPage(QPrinter* printer, const PageDrawer& draw) {
    const QImage page = RenderPage(printer, draw);
    QPainter painter;
    if (page.isNull() || !painter.begin(printer)) return false;
    // Otherwise the page goes into a PDF as a JPEG and its colours shift.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(0, 0, page);
    return painter.end();
}

}  // namespace morvale
