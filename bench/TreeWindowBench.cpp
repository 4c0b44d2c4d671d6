// The default tree as the window draws it: erase the view's image, OnDraw, status bar panes.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QTemporaryDir>

#include "app/Morvale1App.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

void WindowTree(benchmark::State& state) {
    CMorvale1App* app = CMorvale1App::Instance();
    CMorvale1View* view = app->GetView();
    app->Router().Action(ID_TREE_MODE)->trigger();
    view->Branches = int(state.range(0));
    view->Redux = int(state.range(1));
    for (auto _ : state) {
        view->Invalidate();
        view->repaint();
    }
    state.counters["drawings"] = view->DrawingCount();
}

BENCHMARK(WindowTree)->Args({7, 3})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    morvale::CMorvale1App app(argc, argv);
    if (!app.InitInstance(QStringList{QStringLiteral("morvale1")})) return 1;
    app.GetMainFrame()->resize(1280, 1000);
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
