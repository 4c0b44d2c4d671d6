#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>

#include "platform/CommandIds.h"
#include "presets/qt/PresetDbForm.h"

namespace morvale::testing {
namespace {

// Names a file dialog may be answered with, inside the soak's folder.
const char* const kFileNames[] = {"a.mv1", "b.mv1",    "c.mv1",      "d.mv1",
                                  "e.mv1", "junk.bin", "gone/x.mv1", "Bild mit Ümlaut.mv1",
                                  "a.png", "b.png",    "Stelle.png"};

}  // namespace

ModalAnswerer::ModalAnswerer(std::mt19937& random, QDir folder)
    : random_(random), folder_(std::move(folder)) {
    poll_.setInterval(5);
    connect(&poll_, &QTimer::timeout, this, &ModalAnswerer::Poll);
    poll_.start();
}

ModalAnswerer::~ModalAnswerer() = default;

QString ModalAnswerer::RandomText(std::mt19937& random) {
    static const char* const kPieces[] = {
        "",  "0",    "1", "7", "-",  ".",    "3.5", "-2",  "e9", "1e308", "nan", "inf",
        "x", "%s%n", " ", "ä", "99", "0.31", "12a", "--1", "+4", "\t",    "1,5", "2147483647"};
    const int pieces = std::uniform_int_distribution<int>(0, 3)(random);
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += QString::fromUtf8(
            kPieces[std::uniform_int_distribution<std::size_t>(0, std::size(kPieces) - 1)(random)]);
    return text;
}

QString ModalAnswerer::RandomDepth(std::mt19937& random) {
    static const char* const kDepths[] = {"",   "0",   "-5", "-2147483648", "x",  "12a", "3.9",
                                          "50", "200", "%d", " 7",          "-0", "ä",   "1e2"};
    return QString::fromUtf8(
        kDepths[std::uniform_int_distribution<std::size_t>(0, std::size(kDepths) - 1)(random)]);
}

void ModalAnswerer::TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        // QTest maps only plain ASCII to keys; other characters arrive as text, as from an
        // input method.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        current_ = nullptr;  // dialogs are reused: the next showing is a new one to answer
        return;
    }
    if (modal == current_) {
        // An answer that did not close it: a user gives up and closes it.
        if (sinceAnswer_.elapsed() > 2000) {
            unclosed_ += QString::fromLatin1(modal->metaObject()->className()) + " \"" +
                         modal->windowTitle() + "\" ";
            modal->close();
            sinceAnswer_.restart();
        }
        return;
    }
    current_ = modal;
    sinceAnswer_.restart();
    ++answered_;
    // Answered from the event loop, not from this poll: an answer may open a further modal
    // dialog, and a timer does not fire again while its own slot still runs.
    QTimer::singleShot(0, this, [this, guard = QPointer<QWidget>(modal)] {
        if (guard && guard->isVisible()) Answer(guard);
    });
}

void ModalAnswerer::Answer(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) return AnswerFileDialog(files);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) return AnswerMessageBox(box);
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog && dialog->findChild<QTableWidget*>()) return AnswerDatabaseDialog(dialog);
    // About box, print, preview and page setup dialogs: Cancel or close.
    if (dialog)
        dialog->reject();
    else
        modal->close();
}

void ModalAnswerer::AnswerFileDialog(QFileDialog* dialog) {
    if (Pick(6) == 0) return dialog->reject();
    dialog->selectFile(
        folder_.filePath(QString::fromUtf8(kFileNames[Pick(std::size(kFileNames))])));
    QPointer<QFileDialog> guard(dialog);
    static_cast<QDialog*>(dialog)->accept();
    // Opening a file that is not there keeps the dialog open; the user gives up.
    if (guard && guard->isVisible()) guard->reject();
}

void ModalAnswerer::AnswerMessageBox(QMessageBox* box) {
    const QList<QAbstractButton*> buttons = box->buttons();
    if (buttons.isEmpty()) {
        box->close();
        return;
    }
    buttons[Pick(int(buttons.size()))]->click();
}

void ModalAnswerer::AnswerDatabaseDialog(QDialog* dialog) {
    ++databaseDialogs_;
    auto* list = dialog->findChild<QTableWidget*>();
    const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
    for (int round = Pick(4); round > 0; --round) {
        if (Pick(2) == 0 && list->rowCount() > 0) {
            // Column 1: a click on an already selected label would start editing it.
            QTableWidgetItem* item = list->item(Pick(list->rowCount()), 1);
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
        } else if (!edits.isEmpty()) {
            QLineEdit* edit = edits[Pick(int(edits.size()))];
            if (!edit->isVisible()) continue;
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            // Depths stay shallow: a deep one over a boundary is minutes of work by design.
            const bool depth = edit->objectName() == ControlName(IDC_TIEFE);
            TypeText(edit, depth ? RandomDepth(random_) : RandomText(random_));
        }
    }
    if (Pick(3) == 0)
        dialog->reject();
    else
        dialog->accept();
}

}  // namespace morvale::testing
