#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdlib>

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

// The program as a shell runs it, with no display to connect to.
TEST(CommandLineProgram, HelpVersionAndAWrongOptionNeedNoDisplay) {
    const QString out = QDir::temp().filePath(QStringLiteral("morvale1-%1.txt").arg(getpid()));
    const auto run = [&out](const char* arguments) {
        const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") +
                                    "QT_QPA_PLATFORM=xcb " + MORVALE1_PROGRAM + " " + arguments +
                                    " >" + out.toStdString() + " 2>&1";
        const int status = std::system(command.c_str());
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return std::pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, file.readAll());
    };
    const auto [helpStatus, help] = run("--help");
    EXPECT_EQ(helpStatus, 0) << help.toStdString();
    EXPECT_TRUE(help.contains("--print-to")) << help.toStdString();
    EXPECT_EQ(run("--version"), std::pair(0, QByteArray("Morvale1 1.0.0.1\n")));
    EXPECT_EQ(run("--farbe=rot").first, 2);
    QFile::remove(out);
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
