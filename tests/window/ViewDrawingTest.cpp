#include <QScreen>

#include "WindowFixture.h"

namespace morvale::testing {
namespace {

class ViewDrawingTest : public WindowTest {
protected:
    void ChooseMandelbrotPreset() {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-2.5", "1.5", "-1.5", "1.5", "40"};
        doc->PresetChosen = 1;
    }

    // The picture the plain reference loop draws for the document as it is now.
    QImage ReferencePicture() { return PlainPicture(view->ClientSize(), view->DeviceSize()); }

    int CountPixels(const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
        return n;
    }
};

TEST_F(ViewDrawingTest, ANewWindowShowsOnlyTheBackground) {
    PaintView();
    const QImage picture = view->Picture();
    ASSERT_EQ(picture.size(), view->size());
    EXPECT_EQ(CountPixels(picture, view->BackgroundColour().rgb()),
              picture.width() * picture.height());
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    // Even the device size follows the screen, not the window.
    EXPECT_EQ(doc->PictureWidth, view->screen()->size().width());
    EXPECT_EQ(doc->PictureHeight, view->screen()->size().height());
}

TEST_F(ViewDrawingTest, DrawCommandDrawsExactlyTheRenderersPixels) {
    ChooseMandelbrotPreset();
    const QImage expected = ReferencePicture();
    Command(ID_DRAW);
    EXPECT_TRUE(view->IsDrawingDue());
    PaintView();
    ASSERT_FALSE(view->IsDrawingDue());
    EXPECT_EQ(doc->PresetChosen, 0);  // consumed by the drawing
    EXPECT_EQ(doc->IterationLimit, 40);
    EXPECT_EQ(view->Picture(), expected);
    // A real picture: the set's black interior and escaped colours both show.
    EXPECT_GT(CountPixels(view->Picture(), qRgb(0, 0, 0)), 1000);
    EXPECT_EQ(CountPixels(view->Picture(), view->BackgroundColour().rgb()), 0);
}

TEST_F(ViewDrawingTest, ColourSeriesRedrawsInTheNewSeries) {
    ChooseMandelbrotPreset();
    Command(ID_DRAW);
    PaintView();
    const QImage before = view->Picture();
    Command(ID_SERIES_DARKBLUE);
    const QImage expected = ReferencePicture();
    PaintView();
    EXPECT_NE(view->Picture(), before);
    EXPECT_EQ(view->Picture(), expected);
}

TEST_F(ViewDrawingTest, DrawingRunsOnlyWhenInvalidatedResizedOrFirstShown) {
    ChooseMandelbrotPreset();
    Command(ID_DRAW);
    PaintView();
    const int drawn = view->DrawingCount();
    view->repaint();
    view->update(10, 10, 50, 50);
    QApplication::processEvents();
    EXPECT_EQ(view->DrawingCount(), drawn);
    Command(ID_SERIES_GREEN);
    PaintView();
    EXPECT_EQ(view->DrawingCount(), drawn + 1);
    frame->showNormal();
    frame->resize(500, 400);
    QTRY_COMPARE(view->DrawingCount(), drawn + 2);
    EXPECT_EQ(view->Picture().size(), view->size());
}

TEST_F(ViewDrawingTest, ColourSeriesBeforeAnyDrawCommandOnlyErases) {
    Command(ID_SERIES_RED);
    PaintView();
    EXPECT_EQ(view->ViewMode, Drawing::Nothing);
    EXPECT_EQ(CountPixels(view->Picture(), view->BackgroundColour().rgb()),
              view->width() * view->height());
}

TEST_F(ViewDrawingTest, ClientDrawingsLandInThePictureWithoutANewDrawing) {
    ChooseMandelbrotPreset();
    Command(ID_DRAW);
    PaintView();
    const int drawn = view->DrawingCount();
    {
        std::unique_ptr<CDC> dc = view->GetClientDC();
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(dc->GetDeviceCaps(HORZRES), view->DeviceSize().width());
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        dc->SelectObject(&red);
        dc->MoveTo(5, 7);
        dc->LineTo(40, 7);
    }
    QApplication::processEvents();
    EXPECT_EQ(view->Picture().pixel(20, 7), qRgb(255, 0, 0));
    EXPECT_EQ(view->grab().toImage().pixel(20, 7), qRgb(255, 0, 0));
    EXPECT_EQ(view->DrawingCount(), drawn);
}

TEST_F(ViewDrawingTest, DrawWithoutAKindStillSwitchesToTheEscapeTimePicture) {
    Command(ID_DRAW);
    PaintView();
    EXPECT_EQ(view->ViewMode, Drawing::EscapeTime);
    EXPECT_EQ(doc->Drawn, 1);
    EXPECT_EQ(view->Picture(), ReferencePicture());
}

// Run with QT_SCALE_FACTOR=2 (the HighDensity entries of ctest).
using HighDensityDrawingTest = ViewDrawingTest;

TEST_F(HighDensityDrawingTest, EveryPhysicalPixelIsComputedAndShown) {
    ASSERT_EQ(view->devicePixelRatio(), 2.0);
    ChooseMandelbrotPreset();
    const QImage expected = ReferencePicture();
    Command(ID_DRAW);
    PaintView();
    EXPECT_EQ(view->Picture().size(), view->size() * 2);
    EXPECT_EQ(doc->PictureWidth, view->screen()->size().width() * 2);
    EXPECT_EQ(doc->PictureHeight, view->screen()->size().height() * 2);
    EXPECT_EQ(view->Picture(), expected);
    // Shown one to one, not as blocks of four.
    QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    EXPECT_EQ(shown, expected);
}

TEST_F(HighDensityDrawingTest, TheTreeKeepsItsSizeOnTheScreenWithThinLines) {
    Command(ID_TREE_MODE);
    PaintView();
    // The same first tree on a screen of ratio 1 with the window's logical size.
    const QImage small = PlainPicture(view->size(), view->screen()->size(), Drawing::Tree);
    const QRgb background = view->BackgroundColour().rgb();
    const auto inked = [background](const QImage& image, QRect& box) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) box |= QRect(x, y, 1, ++count > 0);
        return count;
    };
    QRect smallBox, box;
    const int smallCount = inked(small, smallBox), count = inked(view->Picture(), box);
    ASSERT_GT(smallCount, 100);
    // Segments truncate to whole pixels, so the two trees are alike only to within a few percent.
    EXPECT_NEAR(box.width(), 2 * smallBox.width(), 0.2 * smallBox.width());
    EXPECT_NEAR(box.height(), 2 * smallBox.height(), 0.2 * smallBox.height());
    EXPECT_TRUE(box.contains(2 * smallBox.center()));
    // Lines one physical pixel wide: about twice the pixels, not four times.
    EXPECT_GT(count, 3 * smallCount / 2);
    EXPECT_LT(count, 3 * smallCount);
}

}  // namespace
}  // namespace morvale::testing
