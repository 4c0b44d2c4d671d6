#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "WindowFixture.h"
#include "platform/qt/PrintSupport.h"

namespace morvale::testing {
namespace {

QStringList gWarnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg) gWarnings << text;
}

class PrintingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(pdf);
        printer().setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter& printer() { return app()->Printing().Printer(); }

    // The Siegel disk of golden-mean rotation: its points circle for ever, never repeating.
    void ChooseSiegelDisk(const char* depth) {
        Command(ID_JULIA);
        doc->JuliaTexts = {"-1.5", "1.5", "-1", "1", "-0.390540870218399", "-0.586787907346969",
                           depth};
        doc->PresetChosen = 1;
        view->ViewMode = Drawing::EscapeTime;
    }

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

TEST_F(PrintingTest, CancellingALongPageAtItsProgressPrintsNothingAndLeavesTheDocumentAsItWas) {
    ChooseSiegelDisk("30");
    Command(ID_DRAW);
    PaintView();
    const CMorvale1Doc before = *doc;
    const int viewWidth = view->PictureWidth;
    // Into the disk, around its centre (-0.37, -0.34).
    doc->SetZoom(200, 70, 290, 150, 1);
    doc->SetDepth(2000000000, 1);
    int shownAt = -1;
    WhenModal<QProgressDialog>([&](QProgressDialog* progress) {
        shownAt = progress->value();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_GE(shownAt, 0) << "no progress dialog";
    EXPECT_FALSE(QFile::exists(pdf));
    // The next drawing takes the requests; the readout keeps the picture on the screen.
    EXPECT_EQ(doc->ZoomPending, 1);
    EXPECT_EQ(doc->DepthFromBox, 1);
    EXPECT_EQ(doc->IterationLimit, before.IterationLimit);
    EXPECT_EQ(doc->JuliaValues, before.JuliaValues);
    EXPECT_EQ(doc->JuliaStepX, before.JuliaStepX);
    EXPECT_EQ(doc->PictureWidth, before.PictureWidth);
    EXPECT_EQ(view->PictureWidth, viewWidth);
}

// The page's first quarter second, before its progress dialog, still takes input.
TEST_F(PrintingTest, QuittingWhileAPageIsComputedCancelsItAndTheProgramEnds) {
    ChooseSiegelDisk("2000000000");
    // Fails only a hang: the page would be computed on for hours.
    std::jthread watchdog([](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any never;
        std::unique_lock lock(mutex);
        never.wait_for(lock, stop, std::chrono::minutes(5), [] { return false; });
        if (stop.stop_requested()) return;
        std::fputs("the page was still computed five minutes after quitting\n", stderr);
        std::abort();
    });
    QTimer::singleShot(0, [this] {
        QTimer::singleShot(0, [this] { Command(ID_APP_EXIT); });
        Command(ID_FILE_PRINT_DIRECT);
    });
    QCoreApplication::exec();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(PrintingTest, PrintingToPdfDrawsThePictureForThePageInPrinterPixels) {
    DrawMandelbrot();
    // The plain loop for a device the size of the page; the hidden rows at its foot stay white.
    const QSize page(printer().width(), printer().height());
    const QRect painted(0, 0, page.width(), page.height() - kHiddenRows);
    const QImage expected = PlainPicture(page, page).copy(painted);
    Command(ID_FILE_PRINT_DIRECT);
    ASSERT_TRUE(QFile::exists(pdf));
    // The picture was computed for the printable page, not the screen.
    EXPECT_EQ(doc->PictureWidth, printer().width());
    EXPECT_EQ(doc->PictureHeight, printer().height());
    EXPECT_GT(printer().width(), 1000);
    EXPECT_LT(printer().width(), 1400);

    // The page carries the picture itself, pixel for pixel (no lossy compression).
    EXPECT_EQ(ExtractPdfImage().copy(painted), expected);
    // And it sits on the page inside the margins.
    const QImage sheet = RasterisePdf();
    ASSERT_FALSE(sheet.isNull());
    const QRect printable = printer().pageRect(QPrinter::DevicePixel).toRect();
    EXPECT_EQ(sheet.pixel(printable.center()), expected.pixel(QRect(QPoint(), page).center()));
    EXPECT_EQ(sheet.pixel(printable.left() / 2, printable.center().y()), qRgb(255, 255, 255));
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
    printing.SetDocument("bild.mv1", QString());
    QString offered;
    WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        offered = dialog->printer()->outputFileName();
        dialog->reject();
    });
    EXPECT_FALSE(printing.Print(frame, true, [](CDC&) { return true; }));
    EXPECT_EQ(printing.Printer().resolution(), PrintSupport::kResolution);
    if (printing.Printer().outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "this machine has a printer: no PDF file is offered";
    EXPECT_EQ(offered, QDir::home().filePath("bild.pdf"));
}

TEST_F(PrintingTest, PrintToFileOffersAPdfNamedAfterTheCurrentDocument) {
    if (!QDir(folder.filePath("a")).mkpath("b")) FAIL();
    const QString first = folder.filePath("a/erste.mv1");
    const QString second = folder.filePath("a/b/zweite.mv1");
    for (const QString& file : {first, second}) QFile(file).open(QIODevice::WriteOnly);

    // Beside each document in turn, not stuck at the first print's name.
    ASSERT_TRUE(app()->OpenDocumentFile(first));
    EXPECT_EQ(printer().outputFileName(), folder.filePath("a/erste.pdf"));
    ASSERT_TRUE(app()->OpenDocumentFile(second));
    QString offered;
    WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(name, nullptr);
        offered = name->text();
        name->setText(folder.filePath("a/gewählt.pdf"));
        dialog->accept();
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(offered, folder.filePath("a/b/zweite.pdf"));
    EXPECT_TRUE(QFile::exists(folder.filePath("a/gewählt.pdf")));

    // An untitled document goes to the folder last printed into, remembered across a restart.
    app()->ExitInstance();
    StartWith({"morvale1"});
    printer().setOutputFormat(QPrinter::PdfFormat);
    Command(ID_FILE_NEW);
    EXPECT_EQ(printer().outputFileName(), folder.filePath("a/Unbenannt.pdf"));
    QSettings().remove(QStringLiteral("Recent File List"));
}

TEST_F(PrintingTest, PrintSetupWithoutAPrinterIsThePageSetupQuietly) {
    QString title;
    WhenModal<QPageSetupDialog>([&](QPageSetupDialog* dialog) {
        title = dialog->windowTitle();
        dialog->reject();
    });
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    Command(ID_FILE_PRINT_SETUP);
    qInstallMessageHandler(previous);
    EXPECT_EQ(title, "Druckereinrichtung");
    EXPECT_FALSE(gWarnings.join('\n').contains("QPageSetupDialog"))
        << gWarnings.join('\n').toStdString();
}

TEST_F(PrintingTest, PreviewOpensLargeOverTheWindowAndItsCloseButtonEndsIt) {
    QRect shown;
    QString toolTip;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        shown = dialog->geometry();
        for (QAction* action : dialog->findChild<QToolBar*>()->actions())
            if (action->statusTip() == "Beendet die Seitenansicht.") {
                toolTip = action->toolTip();
                action->trigger();
            }
    });
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(toolTip, "Seitenansicht beenden");
    EXPECT_GE(shown.width(), frame->width() / 2);
    EXPECT_GE(shown.height(), frame->height() / 2);
    EXPECT_TRUE(frame->geometry().contains(shown.center())) << "over the main window";
}

}  // namespace
}  // namespace morvale::testing
