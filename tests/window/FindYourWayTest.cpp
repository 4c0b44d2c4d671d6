// Help for a new user: the hint over the empty view, the prompt pane without a chosen view, the
// guide on F1, the toolbar images' sharp forms and zoom frames one logical pixel wide.
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>

#include "WindowFixture.h"
#include "platform/qt/PaneStatusBar.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "view/ViewHints.h"

namespace morvale::testing {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

class FindYourWayTest : public WindowTest {
protected:
    void DrawMandelbrotPreset() {
        Command(ID_MANDELBROT);
        doc->MandelTexts = {"-2.5", "1.5", "-1.5", "1.5", "40"};
        doc->PresetChosen = 1;
        Command(ID_DRAW);
        PaintView();
    }
    // The screen's pixels of the view, overlays included, one per physical pixel.
    QImage Shown() {
        PaintView();
        QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        return shown;
    }
    bool HintShown() {
        PaintView();
        QImage picture = view->Picture().copy();
        picture.setDevicePixelRatio(1);
        return Shown() != picture;
    }
    QString Pane0() const { return frame->m_wndStatusBar->PaneText(0); }
    void PointerLeavesAButton() {
        QStatusTipEvent idle{QString()};
        QApplication::sendEvent(frame, &idle);
    }

    // Drag from (100, 60) to (300, 200) physical pixels: the inverting frame while dragging, the
    // red one after release; both as wide as one logical pixel.
    void ExpectFramesOneLogicalPixelWide() {
        DrawMandelbrotPreset();
        const int width = int(view->devicePixelRatio());
        QImage picture = view->Picture().copy();
        view->OnLButtonDown(CFractalView::kNoKeyFlags, {100, 60});
        view->OnMouseMove(CFractalView::kNoKeyFlags, {300, 200});
        QImage shown = Shown();
        for (int x = 100; x < 100 + width; ++x)
            EXPECT_EQ(shown.pixel(x, 130), picture.pixel(x, 130) ^ 0x00ffffffu) << x;
        EXPECT_EQ(shown.pixel(100 + width, 130), picture.pixel(100 + width, 130));
        view->OnLButtonUp(CFractalView::kNoKeyFlags, {300, 200});
        shown = Shown();
        for (int y = 199; y > 199 - width; --y) EXPECT_EQ(shown.pixel(150, y), kRed) << y;
        EXPECT_EQ(shown.pixel(150, 199 - width), picture.pixel(150, 199 - width));
        EXPECT_EQ(shown.pixel(99, 130), picture.pixel(99, 130));
    }
};

TEST_F(FindYourWayTest, TheHintShowsOnlyWhileNothingIsDrawn) {
    EXPECT_TRUE(HintShown()) << "a new window";
    Command(ID_DRAW);
    EXPECT_TRUE(HintShown()) << "drawing without a kind draws nothing";
    DrawMandelbrotPreset();
    EXPECT_FALSE(HintShown());
    Command(ID_TREE_MODE);
    EXPECT_FALSE(HintShown());
}

TEST_F(FindYourWayTest, DrawingWithEmptyTextsSaysNoViewIsChosenUntilOneIs) {
    Command(ID_DRAW);
    EXPECT_EQ(Pane0(), Utf8(kNoKindChosen));
    Command(ID_MANDELBROT);
    Command(ID_DRAW);
    PaintView();
    EXPECT_EQ(Pane0(), Utf8(kNoViewChosen));
    PointerLeavesAButton();
    EXPECT_EQ(Pane0(), Utf8(kNoViewChosen)) << "the idle text keeps saying it";
    // The picture stays the plain loop's all-black one.
    EXPECT_EQ(view->Picture(), PlainPicture(view->ClientSize(), view->DeviceSize()));
    DrawMandelbrotPreset();
    PointerLeavesAButton();
    EXPECT_EQ(Pane0(), QStringLiteral("Bereit"));
}

TEST_F(FindYourWayTest, AnAlmostBlackPictureNamesTheDepthBoxUntilTheNextDrawing) {
    const auto draw = [this](std::array<std::string, 5> texts, int depth) {
        Command(ID_MANDELBROT);
        doc->MandelTexts = std::move(texts);
        doc->SetDepth(depth, 1);
        Command(ID_DRAW);
        PaintView();
        PointerLeavesAButton();
    };
    // Near the seahorse valley no point leaves the bound within 5 iterations.
    const std::array<std::string, 5> valley = {"-0.76", "-0.74", "0.09", "0.11", "5"};
    draw(valley, 5);
    const QString hint = Pane0();
    EXPECT_TRUE(hint.contains(QStringLiteral("Tiefe 5"))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(QStringLiteral("„Tiefe“"))) << hint.toStdString();
    EXPECT_EQ(doc->IterationLimit, 5) << "nothing is changed for the user";
    draw(valley, 2000);
    EXPECT_EQ(Pane0(), QStringLiteral("Bereit"));
    // Wholly inside the set: a larger depth would show nothing more.
    draw({"-0.2", "-0.1", "-0.05", "0.05", "5"}, 2000);
    EXPECT_EQ(Pane0(), QStringLiteral("Bereit"));
    draw(valley, 5);
    EXPECT_EQ(Pane0(), hint);
    Command(ID_TREE_MODE);
    PaintView();
    EXPECT_NE(Pane0(), hint);
}

TEST_F(FindYourWayTest, F1OpensTheGuideAndEscapeClosesIt) {
    EXPECT_EQ(Action(ID_HELP_GUIDE)->toolTip(), QStringLiteral("Kurzanleitung"));
    EXPECT_FALSE(Action(ID_HELP_GUIDE)->statusTip().isEmpty());
    QTest::keyClick(frame, Qt::Key_F1);
    CGuideDlg* guide = frame->Guide();
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(guide));
    const QTextDocument* page = guide->Browser()->document();
    EXPECT_TRUE(page->toPlainText().contains(QStringLiteral("morvale-render")));
    for (int i = 0; i < 13; ++i)
        EXPECT_FALSE(
            page->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("tree:%1").arg(i)))
                .value<QImage>()
                .isNull())
            << i;
    QTest::keyClick(guide->Browser(), Qt::Key_Escape);
    EXPECT_FALSE(guide && guide->isVisible());
}

TEST_F(FindYourWayTest, ToolbarImagesHaveASharpFormForRatioTwo) {
    const struct {
        std::span<const UINT> buttons;
        const char* strip;
    } bars[] = {{res::MainToolbarButtons(), ":/res/toolbar"},
                {res::TreeToolbarButtons(), ":/res/treebar"}};
    for (const auto& [buttons, strip] : bars) {
        const QImage coarse(QString(strip) + ".png"), fine(QString(strip) + "@2x.png");
        int image = 0;
        for (UINT id : buttons) {
            if (id == 0) continue;
            const QRect tile(image++ * 16, 0, 16, 15);
            if (id == ID_DEPTH_PLACEHOLDER) continue;  // the depth box took its place
            const QIcon icon = Action(id)->icon();
            EXPECT_EQ(icon.pixmap(QSize(16, 15), 1.0)
                          .toImage()
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      coarse.copy(tile).convertToFormat(QImage::Format_ARGB32_Premultiplied))
                << id;
            QImage sharp = icon.pixmap(QSize(16, 15), 2.0).toImage();
            sharp.setDevicePixelRatio(1);
            EXPECT_EQ(sharp.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      fine.copy(QRect(tile.topLeft() * 2, tile.size() * 2))
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied))
                << id;
        }
    }
}

TEST_F(FindYourWayTest, ZoomFramesAreOnePixelWideAtRatioOne) {
    ASSERT_EQ(view->devicePixelRatio(), 1.0);
    ExpectFramesOneLogicalPixelWide();
}

// Run with QT_SCALE_FACTOR=2 (the HighDensity entries of ctest).
using HighDensityFindYourWayTest = FindYourWayTest;

TEST_F(HighDensityFindYourWayTest, ZoomFramesAreTwoPhysicalPixelsWide) {
    ASSERT_EQ(view->devicePixelRatio(), 2.0);
    ExpectFramesOneLogicalPixelWide();
}

}  // namespace
}  // namespace morvale::testing
