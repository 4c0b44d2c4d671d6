#include "view/qt/PageProgress.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <limits>

#include "render/EscapeJob.h"
#include "view/qt/DrawingPace.h"

namespace morvale {

bool ComputePageWithProgress(QWidget* parent, const EscapeScene& scene,
                             const EscapeColouring& colours, const PixelSurface& surface,
                             EscapeTally& tally, std::function<void()>& stop) {
    QEventLoop loop;
    EscapeJob job(scene, colours, surface, [&loop] {
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    stop = [&job, &loop] {
        job.Cancel();
        loop.quit();
    };
    if (!job.WaitFor(pace::kWaitInPlace)) {
        QProgressDialog dialog(QStringLiteral("Die Seite wird berechnet …"),
                               QStringLiteral("Abbrechen"), 0, std::max(scene.rows, 1), parent);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(std::numeric_limits<int>::max());  // shown by the tick below
        const auto cancel = stop;
        QObject::connect(&dialog, &QProgressDialog::canceled, &loop, cancel);
        // Escape rejects the dialog without cancelling it; it would only show again.
        QObject::connect(&dialog, &QDialog::rejected, &loop, cancel);
        QElapsedTimer clock;
        clock.start();
        QTimer tick;
        tick.setInterval(pace::kProgressMs);
        QObject::connect(&tick, &QTimer::timeout, &dialog, [&] {
            dialog.setValue(job.Progress().RowsDone());
            if (!dialog.isVisible() &&
                clock.elapsed() + pace::kWaitInPlace.count() >= pace::kQuietMs)
                dialog.show();
        });
        tick.start();
        if (!job.Ended()) loop.exec();
    }
    // The loop also ends when the program quits or its window closes: the page goes with it.
    stop = nullptr;
    if (!job.Ended()) job.Cancel();
    job.Wait();
    tally = job.Tally();
    return job.Complete();
}

}  // namespace morvale
