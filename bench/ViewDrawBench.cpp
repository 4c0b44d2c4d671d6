// Mandelbrot preset 0 through the window: from the draw command to the picture in the view's
// image, on a 1920 x 1080 screen with the window maximised (the picture is computed off the
// window's thread and handed back).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

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
