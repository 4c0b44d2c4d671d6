#include <QLabel>
#include <QPushButton>

#include "WindowFixture.h"
#include "frame/AboutDlg.h"

namespace morvale::testing {
namespace {

class AboutBoxTest : public WindowTest {
protected:
    // Opens the box from the command, lets close() end it and reports what it showed.
    void OpenAndClose(const std::function<void(CAboutDlg*)>& close) {
        WhenModal<CAboutDlg>([&](CAboutDlg* box) {
            shown = true;
            title = box->windowTitle();
            for (QLabel* label : box->findChildren<QLabel*>())
                if (!label->text().isEmpty()) text = label->text();
            if (auto* ok = box->findChild<QPushButton*>())
                okIsDefault = ok->isDefault() && ok->text() == "OK";
            centreOffset = box->frameGeometry().center() - frame->frameGeometry().center();
            close(box);
        });
        Command(ID_APP_ABOUT);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    bool shown = false;
    bool okIsDefault = false;
    QString title, text;
    QPoint centreOffset;
};

TEST_F(AboutBoxTest, ShowsNameVersionAndDateCentredOverTheWindow) {
    OpenAndClose([](CAboutDlg* box) { box->findChild<QPushButton*>()->click(); });
    ASSERT_TRUE(shown);
    EXPECT_EQ(title, "Info über Morvale");
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Morvale");
    EXPECT_EQ(lines[1], "Version 1.0");
    EXPECT_EQ(lines[3], "November 2001");
    EXPECT_TRUE(okIsDefault);
    EXPECT_LE(centreOffset.manhattanLength(), 4);
}

TEST_F(AboutBoxTest, EscapeAndTheCloseBoxEndItAndChangeNothing) {
    Command(ID_JULIA);
    OpenAndClose([](CAboutDlg* box) { QTest::keyClick(box, Qt::Key_Escape); });
    ASSERT_TRUE(shown);
    shown = false;
    OpenAndClose([](CAboutDlg* box) { box->close(); });
    ASSERT_TRUE(shown);
    EXPECT_EQ(frame->windowTitle(), "Julia - Morval");
    EXPECT_EQ(doc->FractalKind, Fractal::Julia);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(AboutBoxTest, LayoutFollowsTheTemplatesDialogUnits) {
    CAboutDlg box;
    EXPECT_EQ(box.parentWidget(), frame);  // the main window owns it
    // A dialog unit: a quarter of the alphabet's mean advance across, an eighth of a line down.
    const QFontMetrics metrics(box.font());
    const double unitX =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 208.0;
    const double unitY = metrics.height() / 8.0;
    const auto units = [&](int x, int y, int width, int height) {
        return QRect(qRound(x * unitX), qRound(y * unitY), qRound(width * unitX),
                     qRound(height * unitY));
    };
    EXPECT_EQ(box.size(), units(0, 0, 171, 95).size());
    EXPECT_EQ(box.findChild<QPushButton*>()->geometry(), units(73, 67, 50, 14));
    for (QLabel* label : box.findChildren<QLabel*>()) {
        const bool icon = !label->pixmap().isNull();
        EXPECT_EQ(label->geometry(), icon ? units(16, 19, 21, 20) : units(55, 10, 85, 44));
    }
    EXPECT_EQ(box.findChildren<QLabel*>().size(), 2);
}

}  // namespace
}  // namespace morvale::testing
