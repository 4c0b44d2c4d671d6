#include "DialogScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace morvale::testing {

int RunScripted(const std::function<int()>& runModal, const std::function<void(QDialog&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        ran = true;
        dialog->activateWindow();  // Xvfb without a window manager activates nothing itself
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        script(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    const int code = runModal();
    EXPECT_TRUE(ran) << "no modal dialog came up";
    return code;
}

bool OpensModalDialog(const std::function<void()>& action) {
    bool opened = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->reject();
        }
    });
    timer.start(0);
    action();
    return opened;
}

void ClickRow(QTableWidget& list, int row, Qt::KeyboardModifiers modifiers) {
    // Column 1: a click on an already selected label would start editing it instead.
    QTableWidgetItem* item = list.item(row, 1);
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualItemRect(item).center());
}

void TypeOver(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&edit, text);
}

void DragHeading(QHeaderView& header, int logicalIndex, int dx) {
    QWidget* top = header.window();
    QWindow* window = top->windowHandle();
    const int x =
        header.sectionViewportPosition(logicalIndex) + header.sectionSize(logicalIndex) / 2;
    const QPoint start = header.viewport()->mapTo(top, QPoint(x, header.height() / 2));
    QTest::mouseMove(window, start);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, start);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(window, start + QPoint(dx * step / 10, 0));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, start + QPoint(dx, 0));
}

void PressKey(QDialog& dialog, Qt::Key key) {
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

}  // namespace morvale::testing
