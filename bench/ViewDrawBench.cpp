// Mandelbrot preset 0 through the window: from the draw command to the picture in the view's
// image, on a 1920 x 1080 screen with the window maximised (the picture is computed off the
// window's thread and handed back); and from one wheel notch over it to the first frame shown
// (the old picture scaled) and to the finished zoomed picture.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>

#include "app/Morvale1App.h"
#include "doc/Morvale1Doc.h"
#include "presets/PresetTables.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

void ViewDrawing(benchmark::State& state) {
    CMorvale1App* app = CMorvale1App::Instance();
    CMorvale1View* view = app->GetView();
    CMorvale1Doc* doc = app->GetDocument();
    app->Router().Action(ID_MANDELBROT)->trigger();
    std::copy_n(MandelPresets[0].begin(), doc->MandelTexts.size(), doc->MandelTexts.begin());
    for (auto _ : state) {
        doc->PresetChosen = 1;
        app->Router().Action(ID_DRAW)->trigger();
        view->repaint();
        while (view->IsDrawing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["pixels"] = double(view->LastEscapeTally.pixels);
    state.counters["client"] = view->Picture().width() * view->Picture().height();
}

BENCHMARK(ViewDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();

void DrawPresetZero(CMorvale1App* app, CMorvale1View* view, CMorvale1Doc* doc) {
    std::copy_n(MandelPresets[0].begin(), doc->MandelTexts.size(), doc->MandelTexts.begin());
    doc->PresetChosen = 1;
    app->Router().Action(ID_DRAW)->trigger();
    view->repaint();
    while (view->IsDrawing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Time: notch to finished picture. Counters: milliseconds to the first frame and to the picture.
void WheelNotch(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    CMorvale1App* app = CMorvale1App::Instance();
    CMorvale1View* view = app->GetView();
    CMorvale1Doc* doc = app->GetDocument();
    app->Router().Action(ID_MANDELBROT)->trigger();
    const QPointF centre = QRectF(view->rect()).center();
    double toFrame = 0.0, toPicture = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        DrawPresetZero(app, view, doc);
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        QWheelEvent notch(centre, view->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &notch);
        view->repaint();
        const Clock::time_point shown = Clock::now();
        while (view->IsDrawing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        view->repaint();
        const Clock::time_point done = Clock::now();
        toFrame += std::chrono::duration<double, std::milli>(shown - start).count();
        toPicture += std::chrono::duration<double, std::milli>(done - start).count();
    }
    state.counters["frame_ms"] = benchmark::Counter(toFrame, benchmark::Counter::kAvgIterations);
    state.counters["picture_ms"] =
        benchmark::Counter(toPicture, benchmark::Counter::kAvgIterations);
}

BENCHMARK(WheelNotch)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString screen = folder.filePath(QStringLiteral("screen.json"));
    QFile json(screen);
    if (!json.open(QIODevice::WriteOnly)) return 1;
    json.write(R"({"screens":[{"name":"bench","x":0,"y":0,"width":1920,"height":1080,"dpr":1}]})");
    json.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toUtf8());
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    morvale::CMorvale1App app(argc, argv);
    if (!app.InitInstance(QStringList{QStringLiteral("morvale1")})) return 1;
    app.GetMainFrame()->showMaximized();
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
