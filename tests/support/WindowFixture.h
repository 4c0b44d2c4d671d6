// A fresh window for every test, and helpers to drive modal dialogs and commands.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/Morvale1App.h"
#include "doc/Morvale1Doc.h"
#include "frame/MainFrame.h"
#include "platform/qt/ImageSurface.h"
#include "presets/qt/PresetDialogRunner.h"
#include "view/drawing/EscapeReference.h"
#include "view/qt/Morvale1View.h"

namespace morvale::testing {

// The program's own database dialogs, as its main() installs them, or none.
inline void UseDatabaseDialogs(bool use) {
    CMorvale1App::PresetDialogsFactory factory;
    if (use)
        factory = [](QWidget* owner) -> std::unique_ptr<IPresetDialogs> {
            return std::make_unique<CPresetDialogRunner>(owner);
        };
    CMorvale1App::Instance()->SetPresetDialogsFactory(std::move(factory));
}

// Acts on the next modal dialog of type D once it shows; rejects it if the action left it open.
template <class D>
void WhenModal(std::function<void(D*)> act, int timeoutMs = 5000) {
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            delete clock;
            QPointer<QWidget> guard(dialog);
            act(dialog);
            QTimer::singleShot(timeoutMs, [guard] {
                if (guard && guard->isVisible()) guard->close();
            });
        } else if (clock->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            delete clock;
            if (QWidget* open = QApplication::activeModalWidget()) open->close();
        }
    });
    poll->start();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { StartWith({QStringLiteral("morvale1")}); }
    void TearDown() override { app()->ExitInstance(); }

    void StartWith(const QStringList& arguments) {
        ASSERT_TRUE(app()->InitInstance(arguments));
        frame = app()->GetMainFrame();
        doc = app()->GetDocument();
        view = app()->GetView();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    }

    static CMorvale1App* app() { return CMorvale1App::Instance(); }

    // Triggers the command as the user would: through its action when it has one.
    void Command(UINT id) {
        if (QAction* action = app()->Router().Action(id)) {
            action->trigger();
        } else {
            app()->Router().Route(id);
            app()->Router().UpdateActions();
        }
    }
    QAction* Action(UINT id) { return app()->Router().Action(id); }
    bool Checked(UINT id) { return Action(id)->isChecked(); }

    // Paints the view now, as the event loop would, and lets the drawing it started finish.
    // Events the paint let through (a late resize from the window system) may ask for another.
    void PaintView() {
        for (int paints = 0; paints < 20; ++paints) {
            view->repaint();
            WaitForDrawing();
            QApplication::processEvents();
            if (!view->IsDrawing() && !view->IsDrawingDue()) return;
        }
        ADD_FAILURE() << "the view kept asking to be drawn again";
    }

    // Runs the event loop until the view's drawing has ended, however slow the machine is.
    void WaitForDrawing(int timeoutMs = 60000) {
        QElapsedTimer clock;
        clock.start();
        while (view->IsDrawing() && clock.elapsed() < timeoutMs) QTest::qWait(5);
        ASSERT_FALSE(view->IsDrawing()) << "the drawing did not end";
    }

    // The document as it is now, drawn by the plain toolkit-free view for a device of `device`
    // onto an image of `size`: the escape-time picture by the reference loop, or the tree.
    QImage PlainPicture(QSize size, QSize device, Drawing mode = Drawing::EscapeTime,
                        ReferenceRows rows = {}) {
        CMorvale1Doc copy = *doc;
        copy.SetMainFrame(nullptr);
        CFractalView plain(&copy);
        plain.ViewMode = mode;
        plain.ColourSeries = view->ColourSeries;
        plain.PictureWidth = device.width();
        plain.PictureHeight = device.height();
        copy.SetPictureSize(device.width(), device.height());
        QImage image(size, QImage::Format_RGB32);
        image.fill(view->BackgroundColour());
        CDC dc(ImageSurface(image), device.width(), device.height());
        if (mode == Drawing::EscapeTime)
            DrawEscapeTimeReference(plain, &dc, rows);
        else
            plain.OnDraw(&dc);
        return image;
    }

    CMainFrame* frame = nullptr;
    CMorvale1Doc* doc = nullptr;
    CMorvale1View* view = nullptr;
};

}  // namespace morvale::testing
