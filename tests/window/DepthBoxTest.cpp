#include <QAbstractItemView>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

#include "WindowFixture.h"
#include "platform/TextConversion.h"
#include "platform/qt/DepthComboBox.h"

namespace morvale::testing {
namespace {

class DepthBoxTest : public WindowTest {
protected:
    DepthComboBox* box() { return frame->m_wndDepthBox; }
    QLineEdit* edit() { return box()->lineEdit(); }

    // Picks an item from the dropped-down list with the mouse.
    void Pick(int index) {
        box()->showPopup();
        QAbstractItemView* list = box()->view();
        QTRY_VERIFY(list->isVisible());
        const QModelIndex item0 = list->model()->index(index, 0);
        list->scrollTo(item0);
        const QRect item = list->visualRect(item0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!list->isVisible());
    }

    // Focus first (it shows the document's depth text), then type and clear: the box hands 0.
    void ClearField() {
        edit()->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit(), "5");
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Delete);
        ASSERT_EQ(edit()->text(), "");
    }

    // Records every SetDepth the box makes, as the document sees it after each step.
    std::vector<std::pair<int, int>> TypeAndRecord(const QString& keys) {
        std::vector<std::pair<int, int>> seen;
        for (QChar key : keys) {
            doc->DepthFromBox = 0;
            QTest::keyClicks(edit(), QString(key));
            seen.emplace_back(doc->Depth, doc->DepthFromBox);
        }
        return seen;
    }
};

TEST_F(DepthBoxTest, PickingAnItemHandsItsNumberAndTheLabelStandsFor33) {
    Pick(1);
    EXPECT_EQ(doc->Depth, 6);
    EXPECT_EQ(doc->DepthFromBox, 1);
    Pick(7);
    EXPECT_EQ(doc->Depth, 66);
    Pick(0);
    EXPECT_EQ(doc->Depth, 33);
    EXPECT_EQ(box()->currentText(), "Tiefe");
    // Picking the same item again is another choice.
    doc->DepthFromBox = 0;
    Pick(0);
    EXPECT_EQ(doc->DepthFromBox, 1);
    EXPECT_EQ(box()->count(), 8);
}

TEST_F(DepthBoxTest, TypingDigitsHandsTheGrowingNumberPerKeystroke) {
    ClearField();
    EXPECT_EQ(doc->Depth, 0);
    EXPECT_EQ(doc->DepthFromBox, 1);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {12, 1}, {120, 1}};
    EXPECT_EQ(TypeAndRecord("120"), expected);
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(box()->count(), 8);  // typed text never becomes an item
}

TEST_F(DepthBoxTest, TextThatIsNoNumberFollowsTheAtoiRules) {
    ClearField();
    const std::vector<std::pair<int, int>> letters = {{0, 1}, {0, 1}};
    EXPECT_EQ(TypeAndRecord("ab"), letters);
    ClearField();
    const std::vector<std::pair<int, int>> negative = {{0, 1}, {-5, 1}};
    EXPECT_EQ(TypeAndRecord("-5"), negative);
    ClearField();
    const std::vector<std::pair<int, int>> digitsThenLetter = {{1, 1}, {12, 1}, {12, 1}};
    EXPECT_EQ(TypeAndRecord("12x"), digitsThenLetter);
}

TEST_F(DepthBoxTest, TypingStopsWhenTheFieldIsFull) {
    ClearField();
    QTest::keyClicks(edit(), QString(40, QChar('9')));
    const int room = edit()->contentsRect().width();
    EXPECT_LT(edit()->text().size(), 40);
    EXPECT_LE(edit()->fontMetrics().horizontalAdvance(edit()->text()), room);
    EXPECT_EQ(doc->Depth, Atoi(edit()->text().toStdString()));
}

// Pasted or dropped text obeys the typing rule: what does not fit is refused whole.
TEST_F(DepthBoxTest, PastedOrDroppedTextThatDoesNotFitIsRefused) {
    const QString tooLong = QString(40, QChar('9'));
    const std::vector<std::pair<QString, std::function<void()>>> ways = {
        {"Ctrl+V", [this] { QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier); }},
        {"context menu", [this] { edit()->paste(); }},
        {"drop",
         [this] {
             QMimeData data;
             data.setText(QGuiApplication::clipboard()->text());
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QApplication::sendEvent(edit(), &enter);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QApplication::sendEvent(edit(), &drop);
         }},
    };
    for (const auto& [name, insert] : ways) {
        ClearField();
        QGuiApplication::clipboard()->setText(tooLong);
        doc->SetDepth(15, 0);
        insert();
        EXPECT_EQ(edit()->text(), "") << name.toStdString();
        EXPECT_EQ(doc->Depth, 15) << name.toStdString();
        QGuiApplication::clipboard()->setText("250");
        insert();
        EXPECT_EQ(edit()->text(), "250") << name.toStdString();
        EXPECT_EQ(doc->Depth, 250) << name.toStdString();
    }
}

TEST_F(DepthBoxTest, TextSetByTheProgramCallsNoSetDepth) {
    frame->SetDepthBoxText("250");
    EXPECT_EQ(box()->currentText(), "250");
    EXPECT_EQ(doc->Depth, 15);
    EXPECT_EQ(doc->DepthFromBox, 0);
}

TEST_F(DepthBoxTest, FocusShowsTheDocumentsDepthTextWithoutSettingTheDepth) {
    doc->DepthText = "250";
    QTest::mouseClick(edit(), Qt::LeftButton);
    QTRY_VERIFY(box()->hasFocus());
    EXPECT_EQ(edit()->text(), "250");
    EXPECT_EQ(doc->Depth, 15);
    EXPECT_EQ(doc->DepthFromBox, 0);
    // Picking still replaces the text with the item.
    Pick(2);
    EXPECT_EQ(edit()->text(), "16");
    EXPECT_EQ(doc->Depth, 16);
}

// The focus a closing menu, list, dialog or window hands back is no move of the user's.
TEST_F(DepthBoxTest, FocusHandedBackKeepsATypedDepthAndOnlyTheUsersFocusShowsTheDepthText) {
    doc->DepthText = "2000";
    QTest::mouseClick(edit(), Qt::LeftButton);
    QTRY_VERIFY(box()->hasFocus());
    edit()->selectAll();
    QTest::keyClicks(edit(), "9999");
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::MenuBarFocusReason,
                                   Qt::PopupFocusReason, Qt::OtherFocusReason}) {
        view->setFocus();
        box()->setFocus(reason);
        EXPECT_EQ(edit()->text(), "9999") << reason;
    }
    view->setFocus();
    box()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit()->text(), "2000");
    EXPECT_EQ(doc->Depth, 9999);
}

TEST_F(DepthBoxTest, FocusBeforeAnyPresetEmptiesTheField) {
    box()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box()->hasFocus());
    EXPECT_EQ(edit()->text(), "");
    EXPECT_EQ(doc->DepthFromBox, 0);
}

TEST(DepthBoxAloneTest, WithoutADocumentTheHandlersDoNothing) {
    CommandRouter router;
    CMainFrame lone(router);
    ASSERT_TRUE(lone.LoadFrame(nullptr));
    ASSERT_EQ(lone.GetActiveDocument(), nullptr);
    lone.m_wndDepthBox->setEditText("42");
    lone.OnSetFocusDepth();
    lone.OnEditChangeDepth();
    lone.OnSelChangeDepth();
    EXPECT_EQ(lone.m_wndDepthBox->currentText(), "42");
}

}  // namespace
}  // namespace morvale::testing
