#include <gtest/gtest.h>

#include "FakeFrame.h"
#include "doc/Morvale1Doc.h"
#include "doc/PresetDialogs.h"

namespace morvale {
namespace {

// Answers the dialog with a scripted outcome and remembers what it was opened with.
class ScriptedDialogs : public IPresetDialogs {
public:
    PresetDialogOutcome RunJuliaDialog(const std::vector<std::string>& texts) override {
        ++juliaRuns;
        opened = texts;
        return outcome;
    }
    PresetDialogOutcome RunMandelDialog(const std::vector<std::string>& texts) override {
        ++mandelRuns;
        opened = texts;
        return outcome;
    }
    PresetDialogOutcome outcome;
    std::vector<std::string> opened;
    int juliaRuns = 0;
    int mandelRuns = 0;
};

class DatabaseCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetMainFrame(&frame);
        doc.SetPresetDialogs(&dialogs);
        frame.panes[1].text = "(0.1;0.2) ";
    }
    testing::FakeFrame frame;
    ScriptedDialogs dialogs;
    CMorvale1Doc doc;
};

TEST_F(DatabaseCommandTest, JuliaRowTakenOnOk) {
    doc.OnJulia();
    dialogs.outcome = {IDOK, true, {"-1.2", "1.2", "-1.2", "1.2", "0.31", "0.025", "500"}};
    EXPECT_TRUE(doc.ExecuteCommand(ID_DATABASE));
    EXPECT_EQ(dialogs.juliaRuns, 1);
    EXPECT_EQ(dialogs.opened, std::vector<std::string>(7, ""));
    EXPECT_EQ(doc.JuliaTexts[5], "0.025");
    EXPECT_EQ(doc.DepthText, "500");
    EXPECT_EQ(frame.depthBox, "500");
    EXPECT_EQ(doc.PresetChosen, 1);
    EXPECT_EQ(doc.Depth, 15);
    EXPECT_EQ(doc.DepthFromBox, 0);
    const char* expected[] = {"XMIN: -1.2", "XMAX: 1.2", "YMIN: -1.2", "YMAX: 1.2",
                              "P: 0.31",    "Q: 0.025",  "Tiefe: 500"};
    const int widths[] = {60, 60, 60, 60, 40, 40, 50};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(frame.panes[std::size_t(i + 2)].text, expected[i]);
        EXPECT_EQ(frame.panes[std::size_t(i + 2)].width, widths[i]);
        EXPECT_EQ(frame.panes[std::size_t(i + 2)].style, SBPS_NORMAL);
    }
    EXPECT_EQ(frame.panes[0].width, 100);
    EXPECT_EQ(frame.panes[1].text, "(0.1;0.2) ");
    EXPECT_EQ(frame.panes[1].infoCalls, 0);
}

TEST_F(DatabaseCommandTest, CancelLeavesTheDocumentButRewritesThePanes) {
    doc.OnJulia();
    doc.JuliaTexts = {"a", "b", "c", "d", "e", "f", "99%"};
    dialogs.outcome = {IDCANCEL, true, {"1", "2", "3", "4", "5", "6", "7"}};
    doc.OnDatabase();
    EXPECT_EQ(dialogs.opened[6], "99%");
    EXPECT_EQ(doc.JuliaTexts[0], "a");
    EXPECT_EQ(doc.PresetChosen, 0);
    EXPECT_EQ(frame.depthBox, "Tiefe");
    EXPECT_EQ(frame.panes[8].text, "Tiefe: 99%") << "texts appear exactly as typed";
}

TEST_F(DatabaseCommandTest, OkWithoutARowLeavesPresetChosenZero) {
    doc.OnMandelbrot();
    doc.PresetChosen = 1;
    dialogs.outcome = {IDOK, false, {"-2", "1", "-1", "1", "77"}};
    doc.OnDatabase();
    EXPECT_EQ(doc.PresetChosen, 0);
    EXPECT_EQ(doc.MandelTexts[4], "77");
    EXPECT_EQ(doc.DepthText, "77");
}

TEST_F(DatabaseCommandTest, MandelbrotAfterJuliaShowsNoJuliaValue) {
    doc.OnJulia();
    dialogs.outcome = {IDOK, true, {"-1.2", "1.2", "-1.2", "1.2", "0.31", "0.025", "500"}};
    doc.OnDatabase();
    doc.OnMandelbrot();
    dialogs.outcome = {IDCANCEL, false, {}};
    doc.OnDatabase();
    EXPECT_EQ(dialogs.mandelRuns, 1);
    EXPECT_EQ(dialogs.opened, std::vector<std::string>(5, ""));
    const char* expected[] = {"PMIN: ", "PMAX: ", "QMIN: ", "QMAX: ", "Tiefe: ", " ", " "};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(frame.panes[std::size_t(i + 2)].text, expected[i]);
    EXPECT_EQ(doc.JuliaTexts[4], "0.31") << "the other kind's texts stay";
}

TEST_F(DatabaseCommandTest, NoKindOpensNoDialogAndEmptiesThePanes) {
    for (int i = 2; i < 9; ++i) frame.panes[std::size_t(i)].text = "alt";
    doc.OnDatabase();
    EXPECT_EQ(dialogs.juliaRuns + dialogs.mandelRuns, 0);
    for (int i = 2; i < 9; ++i) EXPECT_EQ(frame.panes[std::size_t(i)].text, "");
    EXPECT_EQ(frame.panes[0].width, 100);
    EXPECT_EQ(frame.panes[1].text, "(0.1;0.2) ");
}

TEST_F(DatabaseCommandTest, DatabaseCommandIsAlwaysEnabled) {
    CCmdUI ui(ID_DATABASE);
    EXPECT_TRUE(doc.UpdateCommand(ui));
    EXPECT_TRUE(ui.IsEnabled());
    EXPECT_EQ(ui.Checked(), 0);
}

}  // namespace
}  // namespace morvale
