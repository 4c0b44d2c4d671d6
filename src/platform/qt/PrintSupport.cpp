#include "platform/qt/PrintSupport.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QToolBar>
#include <memory>

#include "platform/qt/ImageSurface.h"
#include "platform/qt/LastFolders.h"

namespace morvale {
namespace {

const QString kSetupTitle = QStringLiteral("Druckereinrichtung");
const QString kUntitled = QStringLiteral("Unbenannt");

// Qt warns on standard error whenever its page setup meets a PDF printer; that is the normal
// case here without a printer, not a fault.
class PageSetupWarningFilter {
public:
    PageSetupWarningFilter() { previous_ = qInstallMessageHandler(&Filter); }
    ~PageSetupWarningFilter() { qInstallMessageHandler(previous_); }

private:
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && text.startsWith(QLatin1String("QPageSetupDialog:"))) return;
        if (previous_) previous_(type, context, text);
    }
    static inline QtMessageHandler previous_ = nullptr;
};

}  // namespace

PrintSupport::PrintSupport() : printer_(QPrinter::PrinterResolution) {
    printer_.setResolution(kResolution);
    printer_.setCreator(QStringLiteral("Morvale"));
}

void PrintSupport::SetDocument(const QString& title, const QString& path) {
    printer_.setDocName(title.isEmpty() ? kUntitled : title);
    documentPath_ = path;
    OfferPdfFile();
}

void PrintSupport::SetPreviewCloseTexts(const QString& prompt, const QString& toolTip) {
    previewClosePrompt_ = prompt;
    previewCloseToolTip_ = toolTip;
}

QString PrintSupport::OfferedPdfFile() const {
    QString name = printer_.docName().isEmpty() ? kUntitled : printer_.docName();
    if (name.endsWith(QLatin1String(".mv1"), Qt::CaseInsensitive)) name.chop(4);
    QString folder = documentPath_.isEmpty() ? QString() : QFileInfo(documentPath_).absolutePath();
    if (folder.isEmpty() && folders_) folder = folders_->Printing();
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void PrintSupport::OfferPdfFile() {
    // A file name on a printer would turn it into a PDF printer; only PDF output gets one.
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        printer_.setOutputFileName(OfferedPdfFile());
}

bool PrintSupport::PrintSetup(QWidget* parent) {
    if (HasPrinter()) {
        QPrintDialog dialog(&printer_, parent);
        dialog.setWindowTitle(kSetupTitle);
        // Setting up prints nothing: the dialog's print button only takes the choices.
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        return dialog.exec() == QDialog::Accepted;
    }
    std::unique_ptr<QPageSetupDialog> dialog;
    {
        PageSetupWarningFilter quiet;
        dialog = std::make_unique<QPageSetupDialog>(&printer_, parent);
    }
    dialog->setWindowTitle(kSetupTitle);
    return dialog->exec() == QDialog::Accepted;
}

bool PrintSupport::Print(QWidget* parent, bool withDialog, const PageDrawer& draw) {
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
        OfferPdfFile();
    if (withDialog) {
        QPrintDialog dialog(&printer_, parent);
        if (dialog.exec() != QDialog::Accepted) return false;
        if (folders_ && printer_.outputFormat() == QPrinter::PdfFormat)
            folders_->PrintFileChosen(printer_.outputFileName());
    }
    return PrintPage(&printer_, draw);
}

void PrintSupport::Preview(QWidget* parent, const PageDrawer& draw) {
    QPrintPreviewDialog dialog(&printer_, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter* printer) { PrintPage(printer, draw); });
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* close = bar->addAction(QStringLiteral("&Schließen"), &dialog, &QDialog::reject);
        close->setStatusTip(previewClosePrompt_);
        close->setToolTip(previewCloseToolTip_);
    }
    // Large enough to judge the page; the dialog centres itself over its parent.
    if (parent) dialog.resize((parent->window()->size() * 3 / 4).expandedTo(dialog.sizeHint()));
    dialog.exec();
}

QImage PrintSupport::RenderPage(QPrinter* printer, const PageDrawer& draw) {
    QImage page(printer->width(), printer->height(), QImage::Format_RGB32);
    if (page.isNull()) return page;
    page.fill(Qt::white);
    CDC dc(ImageSurface(page), page.width(), page.height());
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
