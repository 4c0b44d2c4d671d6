// What the database dialogs show when they open: caption, controls, list contents and look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "DialogScript.h"
#include "presets/PresetTables.h"
#include "presets/qt/DialogUnits.h"
#include "presets/qt/JuliaDbDlg.h"
#include "presets/qt/MandelDbDlg.h"
#include "presets/qt/PresetDbForm.h"

namespace morvale {
namespace {

using testing::RunScripted;

template <class W>
QList<W*> LeftToRight(QDialog& d) {
    QList<W*> widgets = d.findChildren<W*>(Qt::FindDirectChildrenOnly);
    std::sort(widgets.begin(), widgets.end(), [](W* a, W* b) { return a->x() < b->x(); });
    return widgets;
}

struct Expected {
    QString caption;
    UINT listId;
    QStringList labels;   // left to right
    QList<UINT> editIds;  // left to right
};

template <class Dlg, class Headings, class Rows>
void CheckOpening(const Expected& expected, const Headings& headings, const Rows& rows) {
    Dlg dlg;
    RunScripted(
        [&] { return dlg.DoModal(); },
        [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), expected.caption);
            const DialogUnits units(d.font());
            EXPECT_EQ(d.size(), units.ToPixels(QSize(396, 170)));
            EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "a fixed frame";

            QTableWidget& list = *dlg.m_list;
            EXPECT_EQ(list.objectName(), ControlName(expected.listId));
            EXPECT_EQ(list.geometry(), units.ToPixels(QRect(0, 0, 392, 105)));
            ASSERT_EQ(list.columnCount(), int(headings.size()));
            ASSERT_EQ(list.rowCount(), int(rows.size()));
            for (int c = 0; c < list.columnCount(); ++c) {
                EXPECT_EQ(list.horizontalHeaderItem(c)->text().toStdString(),
                          headings[std::size_t(c)]);
                EXPECT_EQ(list.columnWidth(c), 80);
                EXPECT_EQ(list.horizontalHeaderItem(c)->textAlignment(), int(Qt::AlignCenter));
            }
            for (int r = 0; r < list.rowCount(); ++r)
                for (int c = 0; c < list.columnCount(); ++c) {
                    EXPECT_EQ(list.item(r, c)->text().toStdString(),
                              rows[std::size_t(r)][std::size_t(c)]);
                    EXPECT_EQ(list.item(r, c)->textAlignment(), int(Qt::AlignCenter));
                }
            EXPECT_TRUE(list.selectedItems().isEmpty()) << "no row selected after opening";
            EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
            EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
            EXPECT_TRUE(list.horizontalHeader()->sectionsMovable());
            EXPECT_TRUE(list.horizontalHeader()->isFirstSectionMovable());

            // Grey background under the cells, away from any text.
            const QImage shot = list.viewport()->grab().toImage();
            const QRect cell = list.visualItemRect(list.item(1, 2));
            EXPECT_EQ(QColor(shot.pixel(cell.left() + 2, cell.center().y())),
                      QColor(192, 192, 192));

            const QList<QLabel*> labels = LeftToRight<QLabel>(d);
            const QList<QLineEdit*> edits = LeftToRight<QLineEdit>(d);
            ASSERT_EQ(labels.size(), expected.labels.size());
            ASSERT_EQ(edits.size(), expected.editIds.size());
            for (int k = 0; k < labels.size(); ++k) {
                EXPECT_EQ(labels[k]->text(), expected.labels[k]);
                EXPECT_EQ(edits[k]->objectName(), ControlName(expected.editIds[k]));
                EXPECT_LT(labels[k]->geometry().bottom(), edits[k]->geometry().top())
                    << "label above field";
                EXPECT_EQ(edits[k]->height(), units.ToPixels(QSize(35, 12)).height());
            }

            auto* ok = d.findChild<QPushButton*>(ControlName(IDOK));
            auto* cancel = d.findChild<QPushButton*>(ControlName(IDCANCEL));
            ASSERT_TRUE(ok && cancel);
            EXPECT_TRUE(ok->isDefault());
            EXPECT_EQ(ok->geometry(), units.ToPixels(QRect(97, 152, 50, 14)));
            EXPECT_EQ(cancel->geometry(), units.ToPixels(QRect(199, 152, 50, 14)));

            // Tab order: OK, Cancel, list, fields left to right, back to OK.
            QList<QWidget*> chain = {ok, cancel, &list};
            for (QLineEdit* e : edits) chain << e;
            ok->setFocus();
            for (int i = 1; i <= chain.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                EXPECT_EQ(QApplication::focusWidget(), chain[i % chain.size()]) << "tab stop " << i;
            }
            EXPECT_EQ(dlg.m_bChosen, 0) << "showing and filling change no row";
        });
}

TEST(DialogLayoutTest, JuliaOpensWithTheWholeTable) {
    CheckOpening<CJuliaDbDlg>({"Julia Datenbank",
                               IDC_JULIA_LIST,
                               {"XMIN", "XMAX", "YMIN", "YMAX", "P", "Q", "Tiefe"},
                               {IDC_XMIN, IDC_XMAX, IDC_YMIN, IDC_YMAX, IDC_P, IDC_Q, IDC_TIEFE}},
                              JuliaPresetColumns, JuliaPresets);
}

TEST(DialogLayoutTest, MandelbrotOpensWithTheWholeTable) {
    CheckOpening<CMandelDbDlg>({"Mandel Datenbank",
                                IDC_MANDEL_LIST,
                                {"PMIN", "PMAX", "QMIN", "QMAX", "Tiefe"},
                                {IDC_PMIN, IDC_PMAX, IDC_QMIN, IDC_QMAX, IDC_TIEFE}},
                               MandelPresetColumns, MandelPresets);
}

TEST(DialogLayoutTest, DialogUnitsFollowTheFont) {
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(20);
    const DialogUnits a(small), b(large);
    EXPECT_GT(a.BaseX(), 0);
    EXPECT_GT(b.BaseX(), a.BaseX());
    EXPECT_EQ(a.ToPixels(QSize(4, 8)), QSize(a.BaseX(), a.BaseY()));
    EXPECT_EQ(a.ToPixels(QRect(8, 16, 4, 8)),
              QRect(2 * a.BaseX(), 2 * a.BaseY(), a.BaseX(), a.BaseY()));
}

}  // namespace
}  // namespace morvale
