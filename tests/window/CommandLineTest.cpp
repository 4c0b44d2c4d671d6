#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

#include "WindowFixture.h"

namespace morvale::testing {
namespace {

CMorvale1App* app() {
    return CMorvale1App::Instance();
}

class CommandLineTest : public ::testing::Test {
protected:
    void TearDown() override {
        app()->ExitInstance();
        app()->SetFrameImages({});
    }
    QString MakeFile(const QString& name) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QTemporaryDir folder;
};

TEST_F(CommandLineTest, ADocumentPathOpensThatDocument) {
    const QString path = MakeFile("start.mv1");
    ASSERT_TRUE(app()->InitInstance({"morvale1", path}));
    EXPECT_EQ(QString::fromStdString(app()->GetDocument()->GetPathName()), path);
    EXPECT_EQ(app()->GetMainFrame()->windowTitle(), "Morvale");
    EXPECT_EQ(app()->GetDocument()->FractalKind, Fractal::None);
    EXPECT_TRUE(app()->GetMainFrame()->windowState() & Qt::WindowMaximized);
}

TEST_F(CommandLineTest, ADocumentThatCannotBeOpenedIsReportedAndEndsTheStart) {
    QString message;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    EXPECT_FALSE(app()->InitInstance({"morvale1", folder.filePath("fehlt.mv1")}));
    EXPECT_TRUE(message.contains("fehlt.mv1"));
    EXPECT_NE(app()->ExitCode(), 0);
    EXPECT_EQ(app()->GetMainFrame(), nullptr);
}

TEST_F(CommandLineTest, HelpAndUnknownOptionsEndWithoutAWindow) {
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(app()->InitInstance({"morvale1", "--help"}));
    const std::string help = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(help.find("--print-to"), std::string::npos);
    EXPECT_EQ(app()->ExitCode(), 0);
    EXPECT_EQ(app()->GetMainFrame(), nullptr);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(app()->InitInstance({"morvale1", "--farbe=rot"}));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(app()->ExitCode(), 2);
}

TEST_F(CommandLineTest, PrintCommandPrintsTheDocumentAndEnds) {
    const QString path = MakeFile("druck.mv1");
    const QString pdf = folder.filePath("aus.pdf");
    EXPECT_FALSE(app()->InitInstance({"morvale1", "--print-to", pdf, path}));
    EXPECT_EQ(app()->ExitCode(), 0);
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.read(5) == "%PDF-");
    EXPECT_EQ(app()->GetMainFrame(), nullptr);
}

TEST_F(CommandLineTest, PrintWithoutAPrinterSaysSoInsteadOfWritingAFile) {
    const QString path = MakeFile("druck.mv1");
    if (app()->Printing().HasPrinter()) GTEST_SKIP() << "a printer is set up here";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(app()->InitInstance({"morvale1", "--print", path}));
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("Kein Drucker"), std::string::npos) << error;
    EXPECT_EQ(app()->ExitCode(), 1);
}

QStringList gWarnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg) gWarnings << text;
}

TEST_F(CommandLineTest, AToolbarThatCannotBeLoadedRefusesTheWindowAndEndsTheStart) {
    app()->SetFrameImages({QStringLiteral(":/res/fehlt.png"), QStringLiteral(":/res/treebar.png")});
    bool reported = false;
    QPoint offCentre(-1, -1);
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        reported = true;
        offCentre = box->frameGeometry().center() - box->screen()->availableGeometry().center();
        box->accept();
    });
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    EXPECT_FALSE(app()->InitInstance({"morvale1"}));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(reported);
    EXPECT_LE(offCentre.manhattanLength(), 2) << "the box is centred on the screen";
    EXPECT_TRUE(gWarnings.contains("Failed to create toolbar"));
    EXPECT_EQ(app()->GetMainFrame(), nullptr);
    EXPECT_NE(app()->ExitCode(), 0);
}

}  // namespace
}  // namespace morvale::testing
