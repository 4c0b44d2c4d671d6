// Pictures saved with their views from the window, opened again, and refused when foreign.
#include <sys/stat.h>

#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include "RoadScript.h"
#include "WindowFixture.h"
#include "keep/ViewFile.h"

namespace morvale::testing {
namespace {

class KeptViewWindowTest : public WindowTest {
protected:
    QString MessageOf(const std::function<void()>& action) {
        QString text;
        WhenModal<QMessageBox>([&text](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        action();
        return text;
    }

    static QImage Pixels(const QImage& image) {
        QImage pixels = image.convertToFormat(QImage::Format_RGB32);
        pixels.setDevicePixelRatio(1.0);
        return pixels;
    }

    // A zoomed Mandelbrot picture, then a red frame over it, saved; another picture; the view
    // opened again.
    void SaveThenOpen() {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-2.1", "0.8", "-1.25", "1.25", "60"};
        doc->PresetChosen = 1;
        Command(ID_DRAW);
        PaintView();
        view->OnLButtonDown(0, {30, 20});
        view->OnLButtonUp(0, {view->ClientSize().width() / 2, view->ClientSize().height() / 3});
        Command(ID_DRAW);
        PaintView();
        const QImage shown = Pixels(view->Picture());
        ASSERT_TRUE(app()->SavePictureFile(folder.filePath("wie-gezeigt.png")));
        EXPECT_TRUE(Pixels(QImage(folder.filePath("wie-gezeigt.png"))) == shown);
        view->OnLButtonDown(0, {5, 5});
        view->OnLButtonUp(0, {25, 25});  // the red frame stays out of the file
        ASSERT_NE(Pixels(view->Picture()), shown);

        const QString path = folder.filePath("stelle.png");
        ASSERT_TRUE(app()->SavePictureFile(path));
        const QImage saved = Pixels(QImage(path));
        ASSERT_EQ(saved.size(), view->ClientSize());
        EXPECT_TRUE(saved == shown);

        Command(ID_SERIES_RED);
        PaintView();
        ASSERT_NE(Pixels(view->Picture()), shown);
        ASSERT_TRUE(app()->OpenViewFile(path));
        PaintView();
        EXPECT_EQ(doc->FractalKind, Fractal::Mandelbrot);
        EXPECT_EQ(view->ColourSeries, 7);
        EXPECT_TRUE(Pixels(view->Picture()) == saved);
        // Taken like a preset, so a repaint keeps it.
        view->Invalidate();
        PaintView();
        EXPECT_TRUE(Pixels(view->Picture()) == saved);
    }

    QTemporaryDir folder;
};

TEST_F(KeptViewWindowTest, ASavedViewOpensToTheSamePictureWithoutTheRedFrame) {
    SaveThenOpen();
}

class HighDensityKeptView : public KeptViewWindowTest {};

TEST_F(HighDensityKeptView, ASavedViewOpensToTheSamePictureInPhysicalPixels) {
    ASSERT_EQ(view->devicePixelRatio(), 2.0);
    SaveThenOpen();
}

TEST_F(KeptViewWindowTest, ForeignOrBrokenPicturesAreReportedAndChangeNothing) {
    Command(ID_JULIA);
    doc->JuliaTexts = {"-1", "1", "-1", "1", "0.3", "0.02", "30"};
    doc->PresetChosen = 1;
    Command(ID_DRAW);
    PaintView();
    ASSERT_TRUE(app()->SavePictureFile(folder.filePath("gut.png")));
    QFile good(folder.filePath("gut.png"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray broken = good.readAll();
    broken[broken.indexOf("morvale:xmax") + 14] = '#';

    const auto write = [this](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QImage(4, 4, QImage::Format_RGB32).save(folder.filePath("fremd.png"));
    Command(ID_TREE_MODE);
    PaintView();
    ASSERT_TRUE(app()->SavePictureFile(folder.filePath("baum.png")));
    Command(ID_DRAW);
    PaintView();

    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("rohr.png")).constData(), 0600), 0);
    const auto texts = doc->JuliaTexts;
    const int drawings = view->DrawingCount();
    const std::pair<QString, const char*> cases[] = {
        {folder.filePath("fremd.png"), "keine Morvale-Ansicht"},
        {write("kaputt.png", broken), "beschädigt"},
        {write("text.png", "kein Bild"), "kein PNG-Bild"},
        {folder.filePath("baum.png"), "Zweigbaum"},
        {folder.filePath("fehlt.png"), "existiert nicht"},
        {folder.filePath("rohr.png"), "keine gewöhnliche Datei"},  // would block
    };
    for (const auto& [path, words] : cases) {
        const QString message = MessageOf([&] { EXPECT_FALSE(app()->OpenViewFile(path)); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(words))) << message.toStdString();
        EXPECT_EQ(doc->JuliaTexts, texts);
        EXPECT_EQ(doc->PresetChosen, 0);
        EXPECT_FALSE(view->IsDrawingDue());
    }
    EXPECT_EQ(view->DrawingCount(), drawings);
    // Dropped on the window, a view opens like the menu's; named on the command line too, and
    // it is no document to list among the recent ones.
    EXPECT_TRUE(app()->OpenPictureOrDocument(folder.filePath("gut.png")));
    EXPECT_EQ(doc->JuliaTexts[6], "30");
    app()->ExitInstance();
    StartWith({"morvale1", folder.filePath("gut.png")});
    EXPECT_EQ(doc->FractalKind, Fractal::Julia);
    EXPECT_EQ(doc->JuliaTexts[6], "30");
    EXPECT_FALSE(app()->RecentFiles().Entries().contains(folder.filePath("gut.png")));
}

}  // namespace
}  // namespace morvale::testing
