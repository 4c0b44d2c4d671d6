// "Zoomfahrt speichern…": a zoom video from the whole set down to the view on the screen, made
// on a thread of its own by the same keyframe and video code as the two programs, with progress
// in pane 0 and in a progress dialog whose Escape cancels it.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <new>
#include <thread>

#include "app/Morvale1App.h"
#include "app/ZoomFlightDialog.h"
#include "doc/Morvale1Doc.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"
#include "video/ZoomFlight.h"

namespace morvale {
namespace {

constexpr int kTickMs = 100;

// What the worker has done so far, read by the window's tick.
struct FlightState {
    std::atomic<int> phase{int(FlightPhase::Keyframes)};
    std::atomic<long> done{0};
    std::atomic<long> total{1};
};

// The dialog's long form, and the short one that fits pane 0.
QString ProgressText(const FlightState& s, bool brief) {
    const bool keyframes = s.phase.load() == int(FlightPhase::Keyframes);
    const long done = s.done.load() + (keyframes ? 1 : 0), total = s.total.load();
    if (brief)
        return (keyframes ? QStringLiteral("Schlüsselbild %1/%2")
                          : QStringLiteral("Videobild %1/%2"))
            .arg(done)
            .arg(total);
    return (keyframes ? QStringLiteral("Zoomfahrt: Schlüsselbild %1 von %2 wird gezeichnet …")
                      : QStringLiteral("Zoomfahrt: Videobild %1 von %2 ist kodiert …"))
        .arg(done)
        .arg(total);
}

}  // namespace

void CMorvale1App::OnUpdateZoomFlight(CCmdUI* ui) {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    ui->Enable(shown && shown->view.kind != ViewKind::Tree);
}

void CMorvale1App::OnFileSaveZoomFlight() {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    if (!shown || shown->view.kind == ViewKind::Tree) return;
    const QString folder = lastFolders_.Pictures();
    const QString name = QStringLiteral("Zoomfahrt.mp4");
    ZoomFlightDialog dialog(
        frame_.get(), folder.isEmpty() ? QDir::home().filePath(name) : QDir(folder).filePath(name));
    if (dialog.exec() != QDialog::Accepted) return;
    lastFolders_.PictureChosen(dialog.File());
    SaveZoomFlight(dialog.File(), dialog.Options());
}

bool CMorvale1App::SaveZoomFlight(const QString& path, const ZoomVideoOptions& options) {
    const std::optional<ShownPicture> shown = PictureOnScreen();
    QTemporaryDir keyframes;
    if (!shown || !keyframes.isValid()) return false;
    ZoomFlightRequest request{shown->view, document_->DeepZoom,
                              QFile::encodeName(keyframes.path()).toStdString(),
                              QFile::encodeName(path).toStdString(), options};
    FlightState state;
    std::atomic<bool> stop = false, ended = false;
    std::string outcome;
    QEventLoop loop;
    std::thread worker([&] {
        // Deep frames need references and tables; running out of memory ends the flight only.
        try {
            outcome = MakeZoomFlight(
                request,
                [&state](FlightPhase phase, long done, long total) {
                    state.phase = int(phase);
                    state.total = total;
                    state.done = done;
                },
                &stop);
        } catch (const std::bad_alloc&) {
            outcome = "nicht genug Arbeitsspeicher";
        }
        ended = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QProgressDialog progress(QStringLiteral("Die Zoomfahrt wird gespeichert …"),
                             QStringLiteral("Abbrechen"), 0, 1000, frame_.get());
    progress.setWindowTitle(Utf8(res::kAppName));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    const auto cancel = [&stop] { stop = true; };
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, cancel);
    // Escape rejects the dialog without cancelling it; it would only show again.
    QObject::connect(&progress, &QDialog::rejected, &loop, cancel);
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        progress.setLabelText(ProgressText(state, false));
        const long total = std::max(1L, state.total.load());
        progress.setValue(int(1000 * state.done.load() / total));
        frame_->SetPaneText(0, ProgressText(state, true).toStdString(), true);
    });
    tick.start();
    progress.show();
    if (!ended) loop.exec();
    stop = stop || !ended;  // the loop also ends when the program quits
    worker.join();
    tick.stop();
    progress.hide();
    const bool made = outcome.empty();
    frame_->SetPaneText(0,
                        made   ? "Zoomfahrt gespeichert"
                        : stop ? "Zoomfahrt abgebrochen"
                               : "Zoomfahrt nicht gespeichert",
                        true);
    if (!made && !stop)
        QMessageBox::warning(
            frame_.get(), Utf8(res::kAppName),
            QStringLiteral("Die Zoomfahrt %1 kann nicht gespeichert werden: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(outcome)));
    return made;
}

}  // namespace morvale
