// The document's database command running the real dialogs.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTableWidget>

#include "DialogScript.h"
#include "FakeFrame.h"
#include "doc/Morvale1Doc.h"
#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"
#include "presets/qt/PresetDbForm.h"
#include "presets/qt/PresetDialogRunner.h"

namespace morvale {
namespace {

using testing::ClickRow;
using testing::PressKey;
using testing::RunScripted;
using testing::TypeOver;

class PresetDialogRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetMainFrame(&frame);
        doc.SetPresetDialogs(&runner);
        frame.panes[1].text = "(0.5;0.5) ";
    }
    // Runs the database command with `script` driving whichever dialog it opens.
    void Database(const std::function<void(QDialog&)>& script) {
        auto command = [&] {
            doc.ExecuteCommand(ID_DATABASE);
            return 0;
        };
        RunScripted(command, script);
    }
    static QTableWidget& List(QDialog& d) { return *d.findChild<QTableWidget*>(); }

    morvale::testing::FakeFrame frame;
    CPresetDialogRunner runner;
    CMorvale1Doc doc;
};

TEST_F(PresetDialogRunnerTest, JuliaRow13ReachesTheDocumentAndThePanes) {
    doc.OnJulia();
    QString caption;
    Database([&](QDialog& d) {
        caption = d.windowTitle();
        EXPECT_NE(qobject_cast<CJuliaDbDlg*>(&d), nullptr);
        ClickRow(List(d), 13);
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(caption, "Julia Datenbank");
    const std::array<std::string, 7> row13 = {"-1.2", "1.2", "-1.2", "1.2", "0.31", "0.025", "500"};
    EXPECT_EQ(doc.JuliaTexts, row13);
    EXPECT_EQ(doc.DepthText, "500");
    EXPECT_EQ(frame.depthBox, "500");
    EXPECT_EQ(doc.PresetChosen, 1);
    EXPECT_EQ(doc.DepthFromBox, 0);
    EXPECT_EQ(frame.panes[2].text, "XMIN: -1.2");
    EXPECT_EQ(frame.panes[8].text, "Tiefe: 500");
    EXPECT_EQ(frame.panes[1].text, "(0.5;0.5) ");

    // Opened again: the fields show the document's texts; Cancel changes nothing.
    QStringList shown;
    Database([&](QDialog& d) {
        shown << d.findChild<QLineEdit*>(ControlName(IDC_XMIN))->text()
              << d.findChild<QLineEdit*>(ControlName(IDC_TIEFE))->text();
        ClickRow(List(d), 0);
        PressKey(d, Qt::Key_Escape);
    });
    EXPECT_EQ(shown, QStringList({"-1.2", "500"}));
    EXPECT_EQ(doc.JuliaTexts, row13);
    EXPECT_EQ(frame.panes[6].text, "P: 0.31");
}

TEST_F(PresetDialogRunnerTest, OkAtOnceKeepsTheDocumentsTexts) {
    doc.OnMandelbrot();
    doc.MandelTexts = {"-2", "1", "-1.5", "1.5", "80"};
    doc.PresetChosen = 1;
    Database([](QDialog& d) { PressKey(d, Qt::Key_Return); });
    const std::array<std::string, 5> same = {"-2", "1", "-1.5", "1.5", "80"};
    EXPECT_EQ(doc.MandelTexts, same);
    EXPECT_EQ(doc.DepthText, "80");
    EXPECT_EQ(doc.PresetChosen, 0);
    EXPECT_EQ(frame.panes[6].text, "Tiefe: 80");
    EXPECT_EQ(frame.panes[7].text, " ");
}

TEST_F(PresetDialogRunnerTest, TypedTextsGoToThePanesAsTyped) {
    doc.OnMandelbrot();
    Database([&](QDialog& d) {
        EXPECT_NE(qobject_cast<CMandelDbDlg*>(&d), nullptr);
        ClickRow(List(d), 15);
        TypeOver(*d.findChild<QLineEdit*>(ControlName(IDC_QMAX)), "50% mehr");
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(doc.MandelTexts[3], "50% mehr");
    EXPECT_EQ(doc.MandelTexts[0], "-1.2");
    EXPECT_EQ(frame.panes[5].text, "QMAX: 50% mehr");
}

}  // namespace
}  // namespace morvale
