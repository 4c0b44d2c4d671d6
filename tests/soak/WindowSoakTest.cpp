// Thousands of seeded random user actions on the real main window of a small screen: commands,
// the depth box, the database dialogs, drags and clicks, resizes, files and the tree toolbar.
// After every action: nothing hangs, every due drawing is done and the document's and view's
// invariants hold.
#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWheelEvent>
#include <cmath>
#include <random>
#include <vector>

#include "ModalAnswerer.h"
#include "WindowFixture.h"
#include "keep/ViewRecord.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/PrintSupport.h"

namespace morvale::testing {
namespace {

// Every command a menu, toolbar or accelerator can send, but the program's end.
const UINT kCommands[] = {ID_FILE_NEW,           ID_FILE_OPEN,
                          ID_FILE_CLOSE,         ID_FILE_SAVE,
                          ID_FILE_SAVE_AS,       ID_FILE_PAGE_SETUP,
                          ID_FILE_PRINT_SETUP,   ID_FILE_PRINT,
                          ID_FILE_PRINT_DIRECT,  ID_FILE_PRINT_PREVIEW,
                          ID_FILE_MRU_FIRST,     ID_FILE_MRU_FIRST + 1,
                          ID_FILE_MRU_FIRST + 2, ID_FILE_MRU_FIRST + 3,
                          ID_EDIT_CLEAR,         ID_EDIT_CLEAR_ALL,
                          ID_EDIT_COPY,          ID_EDIT_CUT,
                          ID_EDIT_FIND,          ID_EDIT_PASTE,
                          ID_EDIT_REPEAT,        ID_EDIT_REPLACE,
                          ID_EDIT_SELECT_ALL,    ID_EDIT_UNDO,
                          ID_EDIT_REDO,          ID_WINDOW_SPLIT,
                          ID_APP_ABOUT,          ID_NEXT_PANE,
                          ID_PREV_PANE,          ID_VIEW_TOOLBAR,
                          ID_VIEW_STATUS_BAR,    ID_DRAW,
                          ID_SERIES_DARKGREEN,   ID_SERIES_DARKRED,
                          ID_SERIES_DARKBLUE,    ID_SERIES_ALL,
                          ID_SERIES_GREEN,       ID_SERIES_RED,
                          ID_SERIES_BLUE,        ID_JULIA,
                          ID_MANDELBROT,         ID_DATABASE,
                          ID_DEPTH_PLACEHOLDER,  ID_VIEW_TREEBAR,
                          ID_TREE_MODE,          ID_TREE_RESET,
                          ID_TREE_BRANCHES_MORE, ID_TREE_BRANCHES_FEWER,
                          ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER,
                          ID_TREE_RAD_MORE,      ID_TREE_RAD_LESS,
                          ID_TREE_DT_MORE,       ID_TREE_DT_LESS,
                          ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
                          ID_TREE_REDUX_LESS,    ID_VIEW_BACK,
                          ID_VIEW_FORWARD,       ID_JULIA_AT_POINT,
                          ID_FILE_SAVE_PICTURE,  ID_FILE_OPEN_VIEW,
                          ID_FILE_SAVE_PICTURE,  ID_FILE_OPEN_VIEW};

const UINT kTreeCommands[] = {ID_TREE_MODE,           ID_TREE_RESET,         ID_TREE_BRANCHES_MORE,
                              ID_TREE_BRANCHES_FEWER, ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER,
                              ID_TREE_RAD_MORE,       ID_TREE_RAD_LESS,      ID_TREE_DT_MORE,
                              ID_TREE_DT_LESS,        ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
                              ID_TREE_REDUX_LESS,     ID_TREE_REDUX_LESS};

int EnvironmentInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

bool SameOrBothNan(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

class WindowSoakTest : public WindowTest {
protected:
    void SetUp() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        UseDatabaseDialogs(true);
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        // File dialogs start in the working folder; whatever they save stays in the soak's own.
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        // Printing goes to a small PDF page in the soak's folder.
        QPrinter& printer = app()->Printing().Printer();
        printer.setOutputFileName(folder.filePath(QStringLiteral("print.pdf")));
        printer.setPageSize(QPageSize(QSizeF(2, 2), QPageSize::Inch));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }

    void TearDown() override {
        WindowTest::TearDown();
        QDir::setCurrent(previousFolder);
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    QPoint RandomPoint() { return {Pick(view->width() + 40) - 20, Pick(view->height() + 40) - 20}; }

    // Tree parameters that keep one tree to a fraction of a second; the absurd ones are
    // measured elsewhere.
    bool TreeWorkBounded(UINT id) const {
        if (id == ID_TREE_BRANCHES_MORE) return view->Branches < 8;
        if (id == ID_TREE_SEGMENTS_MORE) return view->Segments < 90;
        if (id == ID_TREE_RAD_MORE) return view->SegmentLength < 12.0;
        return true;
    }

    void RunCommand() {
        const UINT id = kCommands[Pick(std::size(kCommands))];
        lastAction = "command " + std::to_string(id);
        if (TreeWorkBounded(id)) Command(id);
    }
    void RunTreeCommand() {
        const UINT id = kTreeCommands[Pick(std::size(kTreeCommands))];
        lastAction = "tree command " + std::to_string(id);
        if (TreeWorkBounded(id)) Command(id);
    }

    void UseDepthBox() {
        DepthComboBox* box = frame->m_wndDepthBox;
        if (!box->isVisible()) return Command(ID_VIEW_TOOLBAR);
        QLineEdit* edit = box->lineEdit();
        const int how = Pick(3);
        if (how == 0) {
            edit->setFocus();
            ModalAnswerer::TypeText(edit, ModalAnswerer::RandomDepth(random));
        } else if (how == 1) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            box->showPopup();
            QAbstractItemView* list = box->view();
            const QModelIndex item = list->model()->index(Pick(box->count()), 0);
            list->scrollTo(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(item).center());
            if (list->isVisible()) box->hidePopup();
        }
    }

    void UseMouse() {
        const QPoint from = RandomPoint();
        const int how = Pick(7);
        if (how >= 4) return Navigate(how, from);
        if (how == 0) {
            QTest::mouseClick(view, Qt::LeftButton, {}, from);
        } else if (how == 1) {
            QTest::mouseDClick(view, Qt::LeftButton, {}, from);
        } else if (how == 2) {
            QTest::mouseClick(view, Pick(2) ? Qt::RightButton : Qt::MiddleButton, {}, from);
            // The picture's context menu, when it opened, takes its command or closes.
            if (QWidget* menu = QApplication::activePopupWidget()) {
                if (Pick(2)) Command(Pick(2) ? ID_JULIA_AT_POINT : ID_COPY_POINT);
                menu->close();
            }
        } else {
            QTest::mousePress(view, Qt::LeftButton, {}, from);
            for (int step = Pick(4); step >= 0; --step) QTest::mouseMove(view, RandomPoint());
            QTest::mouseRelease(view, Qt::LeftButton, {}, RandomPoint());
        }
    }

    // Wheel notches (often several before a drawing ends), a middle-button pan, arrow keys, or
    // the mouse's back and forward buttons.
    void Navigate(int how, QPoint at) {
        lastAction = "navigate " + std::to_string(how);
        if (how == 4) {
            for (int notch = Pick(3); notch >= 0; --notch) {
                const int delta = (Pick(2) ? 1 : -1) * (Pick(2) ? 120 : 1 + Pick(240));
                QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(view, &wheel);
            }
        } else if (how == 5) {
            QTest::mousePress(view, Qt::MiddleButton, {}, at);
            QTest::mouseMove(view, RandomPoint());
            QTest::mouseRelease(view, Qt::MiddleButton, {}, RandomPoint());
        } else {
            const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            if (Pick(2)) return QTest::keyClick(view, keys[Pick(4)]);
            QTest::mouseClick(view, Pick(2) ? Qt::BackButton : Qt::ForwardButton, {}, at);
        }
    }

    void Resize() {
        if (Pick(4) == 0) return frame->showMaximized();
        frame->showNormal();
        frame->resize(60 + Pick(300), 60 + Pick(220));
    }

    void Act() {
        const int what = Pick(20);
        lastAction = "kind " + std::to_string(what);
        if (what < 6) return RunCommand();
        if (what < 9) return Pick(6) ? RunTreeCommand() : DrawBigTree();
        if (what < 12) return Pick(4) ? UseDepthBox() : DrawDeep();
        if (what < 14) return Command(ID_DATABASE);
        if (what < 17) return UseMouse();
        if (what < 18) return Resize();
        if (what < 19) return Pick(10) ? CancelWithEscape() : QuitWhilePrinting();
        Command(Pick(2) ? ID_DRAW : (Pick(2) ? ID_JULIA : ID_MANDELBROT));
    }

    // A depth no drawing finishes soon: from now on drawings run across actions, until the next
    // command restarts them, Escape stops them or the soak's end closes the window.
    void DrawDeep() {
        lastAction = "deep drawing";
        if (Pick(3) == 0) {
            // A region a double no longer resolves: the full-precision path, then notches on it.
            Command(ID_MANDELBROT);
            doc->MandelTexts = {"-0.743643887037158704752191506114774",
                                "-0.743643887037158704752191506114773",
                                "0.131825904205311970493132056385139",
                                "0.131825904205311970493132056385140", "500"};
            doc->PresetChosen = 1;
            Command(ID_DRAW);
            return;
        }
        if (Pick(2)) {
            // The middle of the Siegel disk, whose points circle for ever: stopped at once.
            Command(ID_JULIA);
            doc->JuliaTexts = {
                "-0.4", "-0.34", "-0.4", "-0.28", "-0.390540870218399", "-0.586787907346969", "20"};
            doc->PresetChosen = 1;
        }
        doc->SetDepth(2000000000, 1);
        Command(ID_DRAW);
        if (doc->PresetChosen == 0) return;
        view->repaint();
        CancelWithEscape();
    }

    // A tree of up to five million segments, drawn off the window's thread across the next actions
    // until a command restarts it, Escape stops it or the soak's end closes the window. The
    // branch count goes back at once, so the trees that follow (and printed pages) stay small.
    void DrawBigTree() {
        lastAction = "big tree";
        const int branches = view->Branches;
        view->Branches = 20 + Pick(20);
        Command(ID_TREE_MODE);
        view->repaint();
        view->Branches = branches;
    }

    void CancelWithEscape() {
        lastAction = "escape";
        // The key belongs to the main window: it acts only there.
        if (!QApplication::activeModalWidget() && !frame->isActiveWindow()) {
            frame->activateWindow();
            (void)QTest::qWaitForWindowActive(frame, 1000);
        }
        const bool ran = view->IsDrawing();
        QTest::keyClick(frame, Qt::Key_Escape);
        if (QApplication::activeModalWidget() == nullptr && frame->isActiveWindow()) {
            ASSERT_FALSE(view->IsDrawing());
            cancelled += ran;
        }
    }

    // Quit in a page's first quarter second, before its progress dialog: the program's own
    // event loop must end, then the soak starts the window anew.
    void QuitWhilePrinting() {
        lastAction = "quit while printing";
        if (QApplication::activeModalWidget() || !frame->isVisible()) return;
        if (Pick(2)) doc->SetDepth(2000000000, 1);
        QTimer::singleShot(0, [this] {
            QTimer::singleShot(0, [this] { Command(ID_APP_EXIT); });
            Command(ID_FILE_PRINT_DIRECT);
        });
        QCoreApplication::exec();
        ASSERT_FALSE(frame->isVisible());
        ++quits;
        earlierDrawings += view->DrawingCount();
        app()->ExitInstance();
        StartWith({QStringLiteral("morvale1")});
        lastDrawings = view->DrawingCount();
        drawingBefore = false;
    }

    // Lets the window process what the action queued, then checks every invariant.
    void Settle(int action) {
        const int before = lastDrawings;
        QApplication::processEvents();
        // A due drawing is painted with the window's next update, within a frame or two.
        const bool showsPixels = view->isVisible() && !view->visibleRegion().isEmpty();
        if (showsPixels && view->IsDrawingDue())
            (void)QTest::qWaitFor([&] { return !view->IsDrawingDue(); }, 1000);
        ASSERT_FALSE(view->IsPainting()) << "action " << action;
        if (showsPixels) {
            ASSERT_FALSE(view->IsDrawingDue())
                << "action " << action << " (" << lastAction << "), view " << view->width() << "x"
                << view->height() << ", frame " << frame->width() << "x" << frame->height()
                << " state " << int(frame->windowState()) << " exposed "
                << frame->windowHandle()->isExposed();
        }
        lastDrawings = view->DrawingCount();
        ASSERT_EQ(view->Segments, 60 + view->SegmentOffset) << "action " << action;
        ASSERT_LE(app()->RecentFiles().Count(), kRecentFileEntries) << "action " << action;

        const bool startedHere = !drawingBefore;
        drawingBefore = view->IsDrawing();
        if (lastDrawings != before && view->ViewMode == Drawing::EscapeTime) {
            ++escapeDrawings;
            // Requests made while an earlier drawing still ran are the next drawing's.
            if (startedHere) {
                ASSERT_EQ(doc->ZoomPending, 0) << "action " << action;
                ASSERT_EQ(doc->PresetChosen, 0) << "action " << action;
                ASSERT_EQ(doc->DepthFromBox, 0) << "action " << action;
            }
            // Steps belong to the last prepared picture: a tree printed on a page records the
            // page's size without preparing one.
            ASSERT_TRUE(StepsMatchRegions())
                << "action " << action << " (" << lastAction << ") size " << doc->PictureWidth
                << "x" << doc->PictureHeight << " julia x " << doc->JuliaXMin << ".."
                << doc->JuliaXMax << " step " << doc->JuliaStepX << " mandel p " << doc->MandelPMin
                << ".." << doc->MandelPMax << " step " << doc->MandelStepX << " mode "
                << int(view->ViewMode) << " kind " << int(doc->FractalKind);
        }
    }

    bool StepsMatchRegions() const {
        auto step = [](double lo, double hi, int n) { return n > 0 ? (hi - lo) / n : 0.0; };
        const CMorvale1Doc& d = *doc;
        return SameOrBothNan(d.JuliaStepX, step(d.JuliaXMin, d.JuliaXMax, d.PictureWidth)) &&
               SameOrBothNan(d.JuliaStepY, step(d.JuliaYMin, d.JuliaYMax, d.PictureHeight)) &&
               SameOrBothNan(d.MandelStepX, step(d.MandelPMin, d.MandelPMax, d.PictureWidth)) &&
               SameOrBothNan(d.MandelStepY, step(d.MandelQMin, d.MandelQMax, d.PictureHeight));
    }

    QTemporaryDir folder;
    QString previousFolder;
    std::mt19937 random{std::uint32_t(EnvironmentInt("MORVALE_SOAK_SEED", 20261208))};
    int lastDrawings = 0;
    std::string lastAction;
    int escapeDrawings = 0;
    int cancelled = 0;           // Escape pressed while a drawing ran
    int quits = 0;               // the program quit while a page was computed
    int earlierDrawings = 0;     // drawn in the windows before the last quit
    bool drawingBefore = false;  // a drawing ran when the action began
};

TEST_F(WindowSoakTest, ThousandsOfRandomUserActionsKeepTheWindowSound) {
    const int actions = EnvironmentInt("MORVALE_SOAK_ACTIONS", 1500);
    const qint64 seconds = EnvironmentInt("MORVALE_SOAK_SECONDS", 0);
    ModalAnswerer answerer(random, QDir(folder.path()));
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    for (; seconds > 0 ? clock.elapsed() < seconds * 1000 : done < actions; ++done) {
        Act();
        Settle(done);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(earlierDrawings + view->DrawingCount(), 0);
    EXPECT_GT(answerer.DatabaseDialogs(), 0);
    EXPECT_EQ(answerer.Unclosed().toStdString(), "");
    EXPECT_GT(cancelled, 0) << "no drawing was stopped by Escape";
    EXPECT_GT(quits, 0);
    std::printf(
        "soak: %d actions in %.1f s, %d drawings (%d escape-time), %d cancelled, %d quits while "
        "printing, %d dialogs answered (%d database)\n",
        done, clock.elapsed() / 1000.0, earlierDrawings + view->DrawingCount(), escapeDrawings,
        cancelled, quits, answerer.Answered(), answerer.DatabaseDialogs());
}

}  // namespace
}  // namespace morvale::testing
