#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "WindowFixture.h"
#include "platform/qt/PrintSupport.h"

namespace morvale::testing {
namespace {

class PrintingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(pdf);
        printer().setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter& printer() { return app()->Printing().Printer(); }

    void DrawMandelbrot() {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-2.5", "1.5", "-1.5", "1.5", "30"};
        doc->PresetChosen = 1;
        Command(ID_DRAW);
        PaintView();
    }

    // The first page of the PDF, rasterised at the printer's resolution.
    QImage RasterisePdf() {
        const QString tool = QStandardPaths::findExecutable("pdftoppm");
        EXPECT_FALSE(tool.isEmpty()) << "pdftoppm (poppler-utils) is needed";
        const QString base = folder.filePath("page");
        QProcess::execute(tool, {"-r", QString::number(PrintSupport::kResolution), "-png",
                                 "-singlefile", pdf, base});
        return QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
    }

    // The one picture embedded in the PDF, as stored.
    QImage ExtractPdfImage() {
        const QString tool = QStandardPaths::findExecutable("pdfimages");
        EXPECT_FALSE(tool.isEmpty()) << "pdfimages (poppler-utils) is needed";
        const QString base = folder.filePath("bild");
        QProcess::execute(tool, {"-png", pdf, base});
        return QImage(base + "-000.png").convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir folder;
    QString pdf = folder.filePath("druck.pdf");
};

TEST_F(PrintingTest, ALongPageShowsItsProgressAndCancellingPrintsNothing) {
    Command(ID_JULIA);
    // The Siegel disk of golden-mean rotation: its points circle for ever, never repeating.
    doc->JuliaTexts = {"-1.5",      "1.5", "-1", "1", "-0.390540870218399", "-0.586787907346969",
                       "2000000000"};
    doc->PresetChosen = 1;
    view->ViewMode = kViewEscapeTime;
    int shownAt = -1;
    WhenModal<QProgressDialog>([&](QProgressDialog* progress) {
        shownAt = progress->value();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_GE(shownAt, 0) << "no progress dialog";
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintingTest, PrintingToPdfDrawsThePictureForThePageInPrinterPixels) {
    DrawMandelbrot();
    Command(ID_FILE_PRINT_DIRECT);
    ASSERT_TRUE(QFile::exists(pdf));
    // The picture was computed for the printable page, not the screen.
    EXPECT_EQ(doc->PictureWidth, printer().width());
    EXPECT_EQ(doc->PictureHeight, printer().height());
    EXPECT_GT(printer().width(), 1000);
    EXPECT_LT(printer().width(), 1400);

    const QImage expected =
        PrintSupport::RenderPage(&printer(), [this](CDC& dc) { return view->DrawPage(dc); });
    // The page carries the picture itself, pixel for pixel (no lossy compression).
    EXPECT_EQ(ExtractPdfImage(), expected);
    // And it sits on the page inside the margins.
    const QImage page = RasterisePdf();
    ASSERT_FALSE(page.isNull());
    const QRect printable = printer().pageRect(QPrinter::DevicePixel).toRect();
    EXPECT_EQ(page.pixel(printable.center()), expected.pixel(expected.rect().center()));
    EXPECT_EQ(page.pixel(printable.left() / 2, printable.center().y()), qRgb(255, 255, 255));
}

TEST_F(PrintingTest, APageBeforeAnyDrawCommandStaysWhite) {
    Command(ID_FILE_PRINT_DIRECT);
    const QImage page = RasterisePdf();
    ASSERT_FALSE(page.isNull());
    for (int y = 0; y < page.height(); y += 50)
        for (int x = 0; x < page.width(); x += 50) ASSERT_EQ(page.pixel(x, y), qRgb(255, 255, 255));
}

TEST_F(PrintingTest, CancellingThePrintDialogPrintsNothing) {
    DrawMandelbrot();
    WhenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    Command(ID_FILE_PRINT);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(doc->PictureWidth, view->DeviceSize().width());
}

TEST_F(PrintingTest, PrintDialogAcceptedPrintsToTheChosenFile) {
    DrawMandelbrot();
    WhenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(PrintingTest, PrintSetupChangesThePageAndCancelChangesNothing) {
    const QPageLayout before = printer().pageLayout();
    WhenModal<QPageSetupDialog>([](QPageSetupDialog* dialog) { dialog->reject(); });
    Command(ID_FILE_PRINT_SETUP);
    EXPECT_TRUE(printer().pageLayout().isEquivalentTo(before));

    WhenModal<QPageSetupDialog>([](QPageSetupDialog* dialog) {
        auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        dialog->accept();
    });
    Command(ID_FILE_PRINT_SETUP);
    // The next page is computed for the new page shape.
    DrawMandelbrot();
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_GT(doc->PictureWidth, doc->PictureHeight);
}

TEST_F(PrintingTest, PreviewDrawsThePageThroughTheView) {
    DrawMandelbrot();
    bool shown = false;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        shown = true;
        dialog->reject();
    });
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(shown);
    EXPECT_EQ(doc->PictureWidth, printer().width());
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintingTest, WithoutAPrinterTheDialogOffersAPdfFileInTheHomeFolder) {
    PrintSupport printing;
    printing.SetDocumentName("bild.mv1");
    QString offered;
    WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        offered = dialog->printer()->outputFileName();
        dialog->reject();
    });
    EXPECT_FALSE(printing.Print(frame, true, [](CDC&) { return true; }));
    if (printing.Printer().outputFormat() == QPrinter::PdfFormat) {
        EXPECT_EQ(offered, QDir::home().filePath("bild.pdf"));
    }
    EXPECT_EQ(printing.Printer().resolution(), PrintSupport::kResolution);
}

}  // namespace
}  // namespace morvale::testing
