#include <QDate>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "WindowFixture.h"
#include "platform/TextConversion.h"
#include "platform/qt/DepthComboBox.h"
#include "platform/qt/LocalisedFileModel.h"
#include "platform/qt/PaneStatusBar.h"

namespace morvale::testing {
namespace {

using StartupTest = WindowTest;

std::vector<UINT> ButtonIds(QToolBar* bar) {
    std::vector<UINT> ids;
    for (QAction* action : bar->actions())
        ids.push_back(action->isSeparator() ? 0 : CommandId(action));
    return ids;
}

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST_F(StartupTest, WindowOpensMaximisedAndTitledWithAnEmptyDocument) {
    EXPECT_EQ(frame->windowTitle(), "Morvale");
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(doc->FractalKind, Fractal::None);
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_EQ(view->ViewMode, Drawing::Nothing);
    // The keyboard starts in the view, so the depth box keeps its label.
    EXPECT_TRUE(view->hasFocus());
}

TEST_F(StartupTest, EveryActivationMaximisesEvenAfterTheUserRestoredTheWindow) {
    frame->showNormal();
    ASSERT_FALSE(frame->windowState() & Qt::WindowMaximized);
    frame->ActivateFrame(SW_SHOWNORMAL);
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    frame->showNormal();
    Command(ID_FILE_NEW);
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
}

TEST_F(StartupTest, BarsStartWithTheMainToolbarShownAndTheTreeToolbarHiddenBelowIt) {
    EXPECT_FALSE(frame->m_wndToolBar->isHidden());
    EXPECT_TRUE(frame->m_wndTreeBar->isHidden());
    EXPECT_EQ(frame->toolBarArea(frame->m_wndToolBar), Qt::TopToolBarArea);
    EXPECT_EQ(frame->toolBarArea(frame->m_wndTreeBar), Qt::TopToolBarArea);
    EXPECT_TRUE(frame->toolBarBreak(frame->m_wndTreeBar));
    EXPECT_FALSE(frame->m_wndStatusBar->isHidden());
}

TEST_F(StartupTest, MainToolbarHoldsTheButtonsInOrderWithTheDepthBoxAtPosition17) {
    const std::vector<UINT> expected = {ID_FILE_NEW,
                                        ID_FILE_OPEN,
                                        ID_FILE_SAVE,
                                        0,
                                        ID_FILE_PRINT,
                                        ID_APP_ABOUT,
                                        ID_DRAW,
                                        ID_SERIES_DARKGREEN,
                                        ID_SERIES_DARKRED,
                                        ID_SERIES_DARKBLUE,
                                        ID_SERIES_ALL,
                                        ID_SERIES_GREEN,
                                        ID_SERIES_RED,
                                        ID_SERIES_BLUE,
                                        ID_JULIA,
                                        ID_MANDELBROT,
                                        0,
                                        IDC_DEPTHBOX,
                                        ID_DATABASE,
                                        ID_VIEW_TREEBAR};
    EXPECT_EQ(ButtonIds(frame->m_wndToolBar), expected);
    QAction* slot = frame->m_wndToolBar->actions().at(17);
    EXPECT_EQ(frame->m_wndToolBar->widgetForAction(slot), frame->m_wndDepthBox);
    EXPECT_EQ(frame->m_wndDepthBox->width(), kDepthBoxWidth);
    EXPECT_EQ(Action(ID_DEPTH_PLACEHOLDER), nullptr);
}

TEST_F(StartupTest, TreeToolbarHasThirteenButtonsWithoutTooltipsOrPrompts) {
    const std::vector<UINT> expected = {
        ID_TREE_MODE,           ID_TREE_RESET,         ID_TREE_BRANCHES_MORE,
        ID_TREE_BRANCHES_FEWER, ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER,
        ID_TREE_RAD_MORE,       ID_TREE_RAD_LESS,      ID_TREE_DT_MORE,
        ID_TREE_DT_LESS,        ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
        ID_TREE_REDUX_LESS};
    EXPECT_EQ(ButtonIds(frame->m_wndTreeBar), expected);
    for (QAction* action : frame->m_wndTreeBar->actions()) {
        EXPECT_EQ(action->toolTip(), "") << CommandId(action);
        EXPECT_EQ(action->statusTip(), "") << CommandId(action);
        EXPECT_FALSE(action->icon().isNull());
    }
}

TEST_F(StartupTest, ToolbarButtonsCarryTheirTooltipsAndPrompts) {
    EXPECT_EQ(Action(ID_DRAW)->toolTip(), "Zeichnen");
    EXPECT_EQ(Action(ID_DRAW)->statusTip(), "Morval wird gezeichnet");
    EXPECT_EQ(Action(ID_SERIES_ALL)->toolTip(), "Grün...Rot...Blau");
    EXPECT_EQ(Action(ID_MANDELBROT)->toolTip(), "Mandelbrot-Morval");
    EXPECT_EQ(Action(ID_MANDELBROT)->statusTip(), "Einstellung Mandelbrot-Morvale");
    EXPECT_EQ(Action(ID_DATABASE)->toolTip(), "Julia-/Mandelbrot-Datenbank");
    EXPECT_EQ(Action(ID_VIEW_TREEBAR)->toolTip(), "");
    auto* button =
        qobject_cast<QToolButton*>(frame->m_wndToolBar->widgetForAction(Action(ID_FILE_OPEN)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), "Öffnen");
    EXPECT_EQ(button->iconSize(), QSize(16, 15));
}

TEST_F(StartupTest, DeepZoomIsOnAndItsChoiceIsRemembered) {
    QAction* deep = Action(ID_VIEW_DEEP_ZOOM);
    ASSERT_NE(deep, nullptr);
    ASSERT_TRUE(frame->GetActiveDocument()->DeepZoom);
    deep->trigger();
    EXPECT_FALSE(frame->GetActiveDocument()->DeepZoom);
    EXPECT_FALSE(QSettings().value("Ansicht/Tiefzoom").toBool());
    deep->trigger();
    EXPECT_TRUE(frame->GetActiveDocument()->DeepZoom);
    EXPECT_TRUE(QSettings().value("Ansicht/Tiefzoom").toBool());
}

TEST_F(StartupTest, MenuOffersOnlyFileViewAndHelpWithTheirTexts) {
    const QList<QAction*> popups = frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), 3);
    EXPECT_EQ(popups[0]->text(), "&Datei");
    EXPECT_EQ(popups[1]->text(), "&Ansicht");
    EXPECT_EQ(popups[2]->text(), "&?");
    EXPECT_EQ(MenuTexts(popups[0]->menu()),
              QStringList({"&Neu\tStrg+N", "Ö&ffnen...\tStrg+O", "S&peichern\tStrg+S",
                           "Speichern &unter...", "-", "B&ild speichern unter…\tStrg+Umschalt+S",
                           "&Ansicht öffnen…", "&Zoomfahrt speichern…", "-", "&Drucken...\tStrg+P",
                           "Sei&tenansicht", "Drucker&einrichtung...", "-", "Letzte Datei", "-",
                           "&Beenden"}));
    EXPECT_EQ(MenuTexts(popups[1]->menu()),
              QStringList({"&Symbolleiste", "S&tatusleiste", "-", "&Zurück\tAlt+Links",
                           "&Vor\tAlt+Rechts", "-", "Tief&zoom"}));
    EXPECT_EQ(MenuTexts(popups[2]->menu()),
              QStringList({"&Kurzanleitung\tF1", "Inf&o über Morvale..."}));
    EXPECT_EQ(Action(ID_APP_EXIT)->statusTip(),
              "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.");
    EXPECT_EQ(Action(ID_FILE_MRU_FIRST)->statusTip(), "Öffnet dieses Dokument.");
}

TEST_F(StartupTest, CheckMarksFollowTheStartState) {
    EXPECT_TRUE(Checked(ID_SERIES_ALL));
    for (UINT id : {ID_SERIES_DARKGREEN, ID_SERIES_DARKRED, ID_SERIES_DARKBLUE, ID_SERIES_GREEN,
                    ID_SERIES_RED, ID_SERIES_BLUE, ID_JULIA, ID_MANDELBROT, ID_VIEW_TREEBAR})
        EXPECT_FALSE(Checked(id)) << id;
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));
    // No recent file yet: the place holder is shown greyed.
    EXPECT_FALSE(Action(ID_FILE_MRU_FIRST)->isEnabled());
}

// The tests run under LC_ALL=C.UTF-8: the German comes from the program, not the system.
TEST_F(StartupTest, QtsOwnDialogsAndFormatsSpeakGermanWhateverTheSystemLocale) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "&Print"), "&Drucken");
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 1), "1.234,5");
    EXPECT_EQ(QLocale().toString(QDate(2024, 12, 8), QLocale::ShortFormat), "08.12.24");

    QStringList buttons;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) buttons << button->text();
        dialog->reject();
    });
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(buttons.contains("&Öffnen")) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains("Abbrechen")) << buttons.join('|').toStdString();
    // The dialog's list shows sizes and dates in German too, not in the system's format.
    QTemporaryDir folder;
    QFile file(folder.filePath("bild.mv1"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(300, ' '));
    file.close();
    QFileSystemModel files;
    LocalisedFileModel shown;
    shown.setSourceModel(&files);
    const QModelIndex name = shown.mapFromSource(files.setRootPath(folder.path()));
    QTRY_COMPARE(shown.rowCount(name), 1);
    EXPECT_EQ(shown.index(0, 1, name).data().toString(), "300 Bytes");
    EXPECT_EQ(shown.index(0, 3, name).data().toString(),
              QFileInfo(file).lastModified().toString("dd.MM.yy HH:mm"));
    // The document's own numbers keep the "C" rules beside the German formats.
    EXPECT_EQ(Atof("0.31"), 0.31);
    EXPECT_EQ(Atoi("1.500"), 1);
}

TEST_F(StartupTest, DepthBoxShowsItsLabelAndTheFixedItems) {
    DepthComboBox* box = frame->m_wndDepthBox;
    EXPECT_EQ(box->currentText(), "Tiefe");
    EXPECT_EQ(box->currentIndex(), 0);
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    EXPECT_EQ(items, QStringList({"Tiefe", "6", "16", "26", "36", "46", "56", "66"}));
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
}

}  // namespace
}  // namespace morvale::testing
