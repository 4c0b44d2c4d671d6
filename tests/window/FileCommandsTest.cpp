#include <sys/stat.h>

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include "WindowFixture.h"

namespace morvale::testing {
namespace {

class FileCommandsTest : public WindowTest {
protected:
    void SetUp() override {
        ClearRecentFiles();
        WindowTest::SetUp();
    }

    static void ClearRecentFiles() {
        QSettings settings;
        settings.remove(QStringLiteral("Recent File List"));
        settings.sync();
    }

    QString MakeFile(const QString& name, const QByteArray& contents = {}) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }

    // Runs a command that opens a file dialog and answers it with path (or Cancel when empty).
    void AnswerFileDialog(UINT id, const QString& path) {
        WhenModal<QFileDialog>([path](QFileDialog* dialog) {
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed as a user types it: the dialog then adds the default extension.
            dialog->setDirectory(QFileInfo(path).path());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QFileInfo(path).fileName());
            static_cast<QDialog*>(dialog)->accept();
        });
        Command(id);
    }

    // Runs an action that reports a failure; returns the message shown.
    QString MessageOf(const std::function<void()>& action) {
        QString text;
        WhenModal<QMessageBox>([&text](QMessageBox* box) {
            text = box->windowTitle() + "|" + box->text();
            box->accept();
        });
        action();
        return text;
    }

    QStringList RecentMenuTexts() {
        QStringList texts;
        for (UINT id = ID_FILE_MRU_FIRST; id < ID_FILE_MRU_FIRST + 4; ++id)
            if (Action(id)->isVisible()) texts << Action(id)->text();
        return texts;
    }

    QTemporaryDir folder;
};

TEST_F(FileCommandsTest, SaveAsWritesAnEmptyFileAndSaveThenWritesWithoutAsking) {
    const QString path = folder.filePath("bild.mv1");
    AnswerFileDialog(ID_FILE_SAVE, path);  // untitled: Save asks for a name
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), path);
    EXPECT_EQ(frame->windowTitle(), "Morvale");

    QFile::remove(path);
    Command(ID_FILE_SAVE);  // no dialog this time
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(app()->RecentFiles().Entries(), QStringList{path});
}

TEST_F(FileCommandsTest, SaveAsAddsTheExtensionAndCancelChangesNothing) {
    AnswerFileDialog(ID_FILE_SAVE_AS, QString());
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    AnswerFileDialog(ID_FILE_SAVE_AS, folder.filePath("ohne"));
    EXPECT_TRUE(QFile::exists(folder.filePath("ohne.mv1")));
}

TEST_F(FileCommandsTest, OpenReadsNothingAndKeepsThePicturesState) {
    const QString path = MakeFile("alt.mv1", "allerlei Bytes, die niemand liest");
    Command(ID_MANDELBROT);
    doc->MandelTexts = {"-2", "1", "-1", "1", "20"};
    AnswerFileDialog(ID_FILE_OPEN, path);
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), path);
    EXPECT_EQ(doc->FractalKind, Fractal::Mandelbrot);
    EXPECT_EQ(doc->MandelTexts[4], "20");
    EXPECT_EQ(frame->windowTitle(), "Mandelbrot - Morval");
    EXPECT_EQ(app()->RecentFiles().Entries(), QStringList{path});
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedIsReportedAndLosesNothing) {
    const QString kept = MakeFile("da.mv1");
    ASSERT_TRUE(app()->OpenDocumentFile(kept));
    const QString missing = folder.filePath("fehlt.mv1");
    const QString message = MessageOf([&] { EXPECT_FALSE(app()->OpenDocumentFile(missing)); });
    EXPECT_TRUE(message.startsWith("Morvale1|")) << message.toStdString();
    EXPECT_TRUE(message.contains("fehlt.mv1")) << message.toStdString();
    EXPECT_TRUE(message.contains("existiert nicht")) << message.toStdString();
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), kept);
    EXPECT_EQ(app()->RecentFiles().Entries(), QStringList{kept});
}

TEST_F(FileCommandsTest, AFolderGetsTheGermanErrorAndAFifoOpensAtOnce) {
    const QString message =
        MessageOf([&] { EXPECT_FALSE(app()->OpenDocumentFile(folder.path())); });
    EXPECT_TRUE(message.contains("bezeichnet einen Ordner")) << message.toStdString();
    const QString fifo = folder.filePath("rohr.mv1");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // From the command line as from the menu; a hang would end the test at its time limit.
    app()->ExitInstance();
    StartWith({"morvale1", fifo});
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), fifo);
}

TEST_F(FileCommandsTest, OpenAndSaveAsStartInTheFolderLastUsedAcrossARestart) {
    ASSERT_TRUE(QDir(folder.path()).mkpath("tief"));
    const QString path = MakeFile("tief/da.mv1");
    AnswerFileDialog(ID_FILE_OPEN, path);
    ASSERT_EQ(QString::fromStdString(doc->GetPathName()), path);

    const auto startFolder = [this](UINT id) {
        QString shown;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        });
        Command(id);
        return shown;
    };
    QDir::setCurrent(QDir::rootPath());
    EXPECT_EQ(startFolder(ID_FILE_SAVE_AS), folder.filePath("tief"));
    app()->ExitInstance();
    StartWith({"morvale1"});
    EXPECT_EQ(startFolder(ID_FILE_OPEN), folder.filePath("tief"));
    // Kept in the recent-file list's settings file.
    EXPECT_EQ(QSettings().value("Last Folders/Documents").toString(), folder.filePath("tief"));
}

TEST_F(FileCommandsTest, AFailedSaveIsReportedAndKeepsTheOldFile) {
    const QString path = MakeFile("fest.mv1", "alt");
    const QString intoFolder = folder.filePath("kein/ordner/x.mv1");
    const QString message = MessageOf([&] { EXPECT_FALSE(app()->SaveDocumentFile(intoFolder)); });
    EXPECT_TRUE(message.contains("kann nicht gespeichert werden")) << message.toStdString();
    EXPECT_EQ(doc->GetPathName(), "");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "alt");
}

TEST_F(FileCommandsTest, RecentListKeepsFourNewestFirstAndSurvivesARestart) {
    QStringList opened;
    for (int i = 1; i <= 6; ++i) {
        opened.prepend(MakeFile(QStringLiteral("f%1.mv1").arg(i)));
        ASSERT_TRUE(app()->OpenDocumentFile(opened.first()));
    }
    const QStringList newest = opened.mid(0, 4);
    EXPECT_EQ(app()->RecentFiles().Entries(), newest);
    const QStringList menu = RecentMenuTexts();
    ASSERT_EQ(menu.size(), 4);
    EXPECT_EQ(menu[0], "&1 " + newest[0]);
    EXPECT_EQ(menu[3], "&4 " + newest[3]);
    EXPECT_TRUE(Action(ID_FILE_MRU_FIRST + 3)->isEnabled());

    // Reopening an entry moves it to the front without doubling it.
    ASSERT_TRUE(app()->OpenDocumentFile(newest[2]));
    EXPECT_EQ(app()->RecentFiles().Entries(),
              QStringList({newest[2], newest[0], newest[1], newest[3]}));

    app()->ExitInstance();
    StartWith({"morvale1"});
    EXPECT_EQ(app()->RecentFiles().Entries(),
              QStringList({newest[2], newest[0], newest[1], newest[3]}));
    EXPECT_EQ(RecentMenuTexts().size(), 4);
}

TEST_F(FileCommandsTest, RecentEntryOpensItsFileAndAVanishedOneIsReportedAndRemoved) {
    const QString first = MakeFile("eins.mv1");
    const QString second = MakeFile("zwei.mv1");
    ASSERT_TRUE(app()->OpenDocumentFile(first));
    ASSERT_TRUE(app()->OpenDocumentFile(second));
    Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), first);

    QFile::remove(second);
    const QString message = MessageOf([&] { Command(ID_FILE_MRU_FIRST + 1); });
    EXPECT_TRUE(message.contains("zwei.mv1")) << message.toStdString();
    EXPECT_EQ(app()->RecentFiles().Entries(), QStringList{first});
    EXPECT_EQ(RecentMenuTexts(), QStringList{"&1 " + first});
    EXPECT_FALSE(Action(ID_FILE_MRU_FIRST + 1)->isVisible());
}

TEST_F(FileCommandsTest, NewKeepsTheOneDocumentFrameAndView) {
    const QString path = MakeFile("x.mv1");
    ASSERT_TRUE(app()->OpenDocumentFile(path));
    Command(ID_JULIA);
    Command(ID_FILE_NEW);
    EXPECT_EQ(app()->GetDocument(), doc);
    EXPECT_EQ(app()->GetMainFrame(), frame);
    EXPECT_EQ(app()->GetView(), view);
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_EQ(doc->FractalKind, Fractal::Julia);  // a new document keeps its state
    EXPECT_EQ(frame->windowTitle(), "Julia - Morval");
}

TEST_F(FileCommandsTest, ExitClosesTheWindowWithoutAsking) {
    Command(ID_MANDELBROT);
    Command(ID_APP_EXIT);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FileCommandsTest, DroppedLocalFilesAreOpenedAndOtherDropsRefused) {
    const QString path = MakeFile("gezogen.mv1");
    QMimeData data;
    data.setUrls({QUrl("https://example.org/fern.mv1"), QUrl::fromLocalFile(path)});
    const QPoint at = frame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &drop);
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), path);

    QMimeData text;
    text.setText("kein Dateiname");
    QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, {});
    refused.ignore();
    QApplication::sendEvent(frame, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(FileCommandsTest, CorruptOrUnwritableSettingsNeverStopTheProgram) {
    const QString path = MakeFile("ok.mv1");
    const QString settingsFile = QSettings().fileName();
    app()->ExitInstance();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settingsFile).path()));
    {
        QFile corrupt(settingsFile);
        ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
        corrupt.write(
            "[Recent%20File%20List]\nFile1=\"/unterminated\nFile2=@Variant(\\0\\0\\xff)\n");
        corrupt.write(QByteArray(2048, '\xfe'));
    }
    StartWith({"morvale1"});
    EXPECT_LE(app()->RecentFiles().Count(), 4);
    ASSERT_TRUE(app()->OpenDocumentFile(path));
    EXPECT_EQ(app()->RecentFiles().Entries().first(), path);

    // A settings file that cannot be written (here a folder in its place) keeps the list in memory.
    app()->ExitInstance();
    QFile::remove(settingsFile);
    ASSERT_TRUE(QDir().mkpath(settingsFile));
    StartWith({"morvale1"});
    EXPECT_EQ(app()->RecentFiles().Count(), 0);
    ASSERT_TRUE(app()->OpenDocumentFile(path));
    EXPECT_EQ(app()->RecentFiles().Entries(), QStringList{path});
    EXPECT_FALSE(app()->RecentFiles().WriteList());
    app()->ExitInstance();
    QDir(settingsFile).removeRecursively();
    StartWith({"morvale1"});
}

}  // namespace
}  // namespace morvale::testing
