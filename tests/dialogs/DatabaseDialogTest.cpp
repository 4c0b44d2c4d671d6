// The database dialogs as the user drives them: rows, edits, OK, Cancel, heading drags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "DialogScript.h"
#include "presets/PresetTables.h"
#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"
#include "presets/qt/PresetDbForm.h"

namespace morvale {
namespace {

using testing::ClickRow;
using testing::DragHeading;
using testing::PressKey;
using testing::RunScripted;
using testing::TypeOver;

QLineEdit& Field(QDialog& dialog, UINT id) {
    auto* edit = dialog.findChild<QLineEdit*>(ControlName(id));
    if (!edit) throw std::runtime_error("no edit field " + std::to_string(id));
    return *edit;
}

// The edit fields' texts as the user sees them, left to right.
QStringList FieldsLeftToRight(QDialog& dialog) {
    QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
    std::sort(edits.begin(), edits.end(),
              [](QLineEdit* a, QLineEdit* b) { return a->x() < b->x(); });
    QStringList texts;
    for (QLineEdit* edit : edits) texts << edit->text();
    return texts;
}

template <std::size_t N>
QStringList Texts(const std::array<QString, N>& values) {
    return QStringList(values.begin(), values.end());
}

template <class Row>
QStringList RowTexts(const Row& row) {
    QStringList texts;
    for (std::string_view cell : row)
        texts << QString::fromUtf8(cell.data(), qsizetype(cell.size()));
    return texts;
}

template <class Dlg>
int Drive(Dlg& dlg, const std::function<void(QDialog&)>& script) {
    return RunScripted([&] { return dlg.DoModal(); }, script);
}

const QStringList kJuliaRow13 = RowTexts(JuliaPresets[13]);

void LoadJuliaFields(CJuliaDbDlg& dlg, const QStringList& texts) {
    QString* fields[] = {&dlg.m_strXMin, &dlg.m_strXMax, &dlg.m_strYMin, &dlg.m_strYMax,
                         &dlg.m_strP,    &dlg.m_strQ,    &dlg.m_strTiefe};
    for (int c = 0; c < 7; ++c) *fields[c] = texts[c];
}

TEST(JuliaDbDlgTest, OkAtOnceReturnsTheOpeningTextsUnchosen) {
    CJuliaDbDlg dlg;
    const QStringList opening = {"-2", "2", "-2", "2", "0.5", "0.25", "300"};
    LoadJuliaFields(dlg, opening);
    QStringList shown;
    const int code = Drive(dlg, [&](QDialog& d) {
        shown = FieldsLeftToRight(d);
        EXPECT_TRUE(d.findChild<QPushButton*>(ControlName(IDOK))->hasFocus());
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(shown, opening);
    EXPECT_EQ(dlg.m_bChosen, 0);
    EXPECT_EQ(Texts(dlg.m_result), opening);
}

TEST(JuliaDbDlgTest, Row13FillsEveryFieldAndSlot) {
    CJuliaDbDlg dlg;
    QStringList shown;
    const int code = Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 13);
        shown = FieldsLeftToRight(d);
        QTest::mouseClick(d.findChild<QPushButton*>(ControlName(IDOK)), Qt::LeftButton);
    });
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(shown, kJuliaRow13);
    EXPECT_EQ(Texts(dlg.m_result), kJuliaRow13);
    EXPECT_EQ(dlg.m_bChosen, 1);
    EXPECT_EQ(dlg.m_strQ, kJuliaRow13[5]);
}

TEST(JuliaDbDlgTest, DepthTypedAfterTheRowReplacesOnlyTheLastSlot) {
    CJuliaDbDlg dlg;
    QStringList depthSlotWhileTyping;
    const int code = Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 13);
        QLineEdit& depth = Field(d, IDC_TIEFE);
        QObject::connect(&depth, &QLineEdit::textEdited,
                         [&] { depthSlotWhileTyping << dlg.m_result[6]; });
        TypeOver(depth, "2000");
        QTest::keyClick(&depth, Qt::Key_Return);  // the default button
    });
    EXPECT_EQ(code, IDOK);
    QStringList expected = kJuliaRow13;
    expected[6] = "2000";
    EXPECT_EQ(Texts(dlg.m_result), expected);
    EXPECT_EQ(dlg.m_strTiefe, "2000");
    EXPECT_EQ(dlg.m_bChosen, 1);
    // Each keystroke is one edit, and the slot follows the field.
    EXPECT_EQ(depthSlotWhileTyping, QStringList({"2", "20", "200", "2000"}));
}

TEST(JuliaDbDlgTest, TypingChangesOnlyThatFieldsSlotBeforeAndAfterARow) {
    CJuliaDbDlg dlg;
    const QStringList opening = {"a", "b", "c", "d", "e", "f", "g"};
    LoadJuliaFields(dlg, opening);
    QStringList beforeRow, afterRow;
    Drive(dlg, [&](QDialog& d) {
        TypeOver(Field(d, IDC_P), "0.4");
        beforeRow = Texts(dlg.m_result);
        EXPECT_EQ(dlg.m_bChosen, 0) << "an edit is not a row change";
        ClickRow(*dlg.m_list, 4);
        TypeOver(Field(d, IDC_YMIN), "x");
        afterRow = Texts(dlg.m_result);
        PressKey(d, Qt::Key_Escape);
    });
    QStringList expectedBefore = opening;
    expectedBefore[4] = "0.4";
    EXPECT_EQ(beforeRow, expectedBefore);
    QStringList expectedAfter = RowTexts(JuliaPresets[4]);
    expectedAfter[2] = "x";
    EXPECT_EQ(afterRow, expectedAfter);
}

TEST(JuliaDbDlgTest, ASecondRowOverwritesEveryEditAndSlot) {
    CJuliaDbDlg dlg;
    QStringList shown;
    Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 13);
        TypeOver(Field(d, IDC_XMIN), "7");
        TypeOver(Field(d, IDC_TIEFE), "9999");
        ClickRow(*dlg.m_list, 17);
        shown = FieldsLeftToRight(d);
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(shown, RowTexts(JuliaPresets[17]));
    EXPECT_EQ(Texts(dlg.m_result), RowTexts(JuliaPresets[17]));
}

TEST(JuliaDbDlgTest, TheLastRowTheUserMovedToWins) {
    CJuliaDbDlg dlg;
    QList<int> selected;
    Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 2);
        ClickRow(*dlg.m_list, 5, Qt::ShiftModifier);  // rows 2 to 5
        for (const QModelIndex& i : dlg.m_list->selectionModel()->selectedRows())
            selected << i.row();
        EXPECT_EQ(FieldsLeftToRight(d), RowTexts(JuliaPresets[5]));
        QTest::keyClick(dlg.m_list, Qt::Key_Down);  // the keyboard moves to row 6
        EXPECT_EQ(Texts(dlg.m_result), RowTexts(JuliaPresets[6]));
        ClickRow(*dlg.m_list, 9, Qt::ControlModifier);
        ClickRow(*dlg.m_list, 6,
                 Qt::ControlModifier);  // deselecting a row loads it too
        PressKey(d, Qt::Key_Return);
    });
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, QList<int>({2, 3, 4, 5}));
    EXPECT_EQ(Texts(dlg.m_result), RowTexts(JuliaPresets[6]));
}

TEST(JuliaDbDlgTest, FirstClickOnTheTopRowLoadsIt) {
    CJuliaDbDlg dlg;
    Drive(dlg, [&](QDialog& d) {
        dlg.m_list->setFocus();  // focus alone changes no row
        EXPECT_EQ(dlg.m_bChosen, 0);
        ClickRow(*dlg.m_list, 0);
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.m_bChosen, 1);
    EXPECT_EQ(Texts(dlg.m_result), RowTexts(JuliaPresets[0]));
}

QList<int> SelectedRows(const QTableWidget& list) {
    QList<int> rows;
    for (const QModelIndex& i : list.selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(JuliaDbDlgTest, FirstDownAfterTabbingInChoosesTheTopRow) {
    CJuliaDbDlg dlg;
    Drive(dlg, [&](QDialog& d) {
        PressKey(d, Qt::Key_Tab);
        PressKey(d, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), dlg.m_list);
        EXPECT_EQ(dlg.m_bChosen, 0);
        PressKey(d, Qt::Key_Down);
        EXPECT_EQ(SelectedRows(*dlg.m_list), QList<int>({0}));
        EXPECT_EQ(FieldsLeftToRight(d), RowTexts(JuliaPresets[0]));
        PressKey(d, Qt::Key_Down);
        EXPECT_EQ(SelectedRows(*dlg.m_list), QList<int>({1}));
    });
}

TEST(JuliaDbDlgTest, APlainClickInsideASelectionChoosesThatRowAlone) {
    CJuliaDbDlg dlg;
    Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 2);
        ClickRow(*dlg.m_list, 5, Qt::ShiftModifier);
        // On the label, which a click on the sole selected row would open for editing.
        const QRect label = dlg.m_list->visualItemRect(dlg.m_list->item(3, 0));
        QTest::mouseClick(dlg.m_list->viewport(), Qt::LeftButton, {}, label.center());
        EXPECT_EQ(SelectedRows(*dlg.m_list), QList<int>({3}));
        EXPECT_EQ(FieldsLeftToRight(d), RowTexts(JuliaPresets[3]));
        const bool editorOpened =
            QTest::qWaitFor([&] { return QApplication::focusWidget() != dlg.m_list; },
                            2 * QApplication::doubleClickInterval());
        EXPECT_FALSE(editorOpened);
    });
}

TEST(JuliaDbDlgTest, DraggingTheQHeadingLeavesTheResultOrder) {
    CJuliaDbDlg dlg;
    int visualOfQ = -1;
    Drive(dlg, [&](QDialog& d) {
        QHeaderView& header = *dlg.m_list->horizontalHeader();
        dlg.m_list->scrollToItem(dlg.m_list->item(0, 0));
        DragHeading(header, 5, -3 * 80);
        visualOfQ = header.visualIndex(5);
        ClickRow(*dlg.m_list, 13);
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_LT(visualOfQ, 5) << "the heading moved on screen";
    EXPECT_EQ(Texts(dlg.m_result), kJuliaRow13);
}

TEST(JuliaDbDlgTest, CancelEscapeAndCloseBoxAllReturnCancel) {
    const std::function<void(QDialog&)> closers[] = {
        [](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(ControlName(IDCANCEL)), Qt::LeftButton);
        },
        [](QDialog& d) { PressKey(d, Qt::Key_Escape); },
        [](QDialog& d) { d.close(); },
    };
    for (const auto& close : closers) {
        CJuliaDbDlg dlg;
        const int code = Drive(dlg, [&](QDialog& d) {
            ClickRow(*dlg.m_list, 13);
            close(d);
        });
        EXPECT_EQ(code, IDCANCEL);
    }
}

TEST(JuliaDbDlgTest, AnEditedLabelIsNeverAccepted) {
    CJuliaDbDlg dlg;
    bool stillOpen = false;
    Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 3);
        dlg.m_list->setFocus();
        dlg.m_list->setCurrentCell(3, 0, QItemSelectionModel::NoUpdate);
        QTest::keyClick(dlg.m_list, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, dlg.m_list) << "no editor opened on the label";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "Neu");
        QTest::keyClick(editor, Qt::Key_Return);  // ends the edit, not the dialog
        stillOpen = d.isVisible();
        QTest::mouseClick(d.findChild<QPushButton*>(ControlName(IDOK)), Qt::LeftButton);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.m_result[0], "-1.347962");
    EXPECT_EQ(dlg.m_list->item(3, 0)->text(), "-1.347962");
}

TEST(MandelDbDlgTest, Row13KeepsEveryDecimal) {
    CMandelDbDlg dlg;
    QStringList shown;
    const int code = Drive(dlg, [&](QDialog& d) {
        ClickRow(*dlg.m_list, 13);
        shown = FieldsLeftToRight(d);
        PressKey(d, Qt::Key_Return);
    });
    const QStringList row13 = {"-0.7451093", "-0.7450834", "0.11301309", "0.11303993", "1250"};
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(shown, row13);
    EXPECT_EQ(Texts(dlg.m_result), row13);
    EXPECT_EQ(dlg.m_strPMin, "-0.7451093");
}

TEST(MandelDbDlgTest, EachFieldFeedsItsOwnSlot) {
    CMandelDbDlg dlg;
    const UINT ids[] = {IDC_PMIN, IDC_PMAX, IDC_QMIN, IDC_QMAX, IDC_TIEFE};
    QList<QStringList> afterEach;
    Drive(dlg, [&](QDialog& d) {
        for (int c = 0; c < 5; ++c) {
            TypeOver(Field(d, ids[c]), QString("v%1").arg(c));
            afterEach << Texts(dlg.m_result);
        }
        PressKey(d, Qt::Key_Escape);
    });
    ASSERT_EQ(afterEach.size(), 5);
    for (int c = 0; c < 5; ++c) {
        QStringList expected(5, QString());
        for (int k = 0; k <= c; ++k) expected[k] = QString("v%1").arg(k);
        EXPECT_EQ(afterEach[c], expected) << "after typing into column " << c;
    }
}

TEST(MandelDbDlgTest, OkAtOnceWithEmptyFieldsGivesEmptyTexts) {
    CMandelDbDlg dlg;
    const int code = Drive(dlg, [](QDialog& d) { PressKey(d, Qt::Key_Return); });
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(dlg.m_bChosen, 0);
    EXPECT_EQ(Texts(dlg.m_result), QStringList(5, QString()));
}

}  // namespace
}  // namespace morvale
