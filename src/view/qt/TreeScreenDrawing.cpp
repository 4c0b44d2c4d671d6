#include "view/qt/TreeScreenDrawing.h"

#include "platform/qt/ImageSurface.h"
#include "view/FractalView.h"
#include "view/qt/DrawingPace.h"
#include "view/tree/TreeJob.h"

namespace morvale {

TreeScreenDrawing::TreeScreenDrawing(Hooks hooks) : hooks_(std::move(hooks)) {
    progressTimer_.setInterval(pace::kProgressMs);
    connect(&progressTimer_, &QTimer::timeout, this, &TreeScreenDrawing::ShowProgress);
}

TreeScreenDrawing::~TreeScreenDrawing() {
    job_.reset();
}

void TreeScreenDrawing::Start(CFractalView& view, QSize imageSize, QSize deviceSize,
                              QColor background) {
    Stop(false);
    pending_ = QImage(imageSize, QImage::Format_RGB32);
    pending_.fill(background);
    CDC dc(ImageSurface(pending_), deviceSize.width(), deviceSize.height());
    const TreePlan plan = view.StartTree(&dc);
    job_ = std::make_unique<TreeJob>(
        plan, ImageSurface(pending_), deviceSize.width(), deviceSize.height(), [this] {
            QMetaObject::invokeMethod(this, &TreeScreenDrawing::Ended, Qt::QueuedConnection);
        });
    clock_.start();
    progressTimer_.start();
    if (job_->WaitFor(pace::kWaitInPlace)) Ended();
}

void TreeScreenDrawing::Ended() {
    if (!job_ || !job_->Ended() || job_->Cancelled()) return;
    Show(true);
    Forget(showingProgress_);
}

void TreeScreenDrawing::ShowProgress() {
    if (!job_ || clock_.elapsed() < pace::kQuietMs) return;
    showingProgress_ = true;
    job_->WhilePaused([this] { Show(false); });
    hooks_.status(QStringLiteral("Zeichnen: %1 %").arg(job_->Percent()));
}

void TreeScreenDrawing::Show(bool complete) {
    hooks_.show(pending_, complete);
}

void TreeScreenDrawing::Stop(bool keep) {
    if (!job_) return;
    // Cancelling a tree whose last segment is drawn would report a complete tree as stopped.
    const bool complete = job_->Ended() && !job_->Cancelled();
    job_->Cancel();
    job_->Wait();
    if (complete || keep) Show(complete);
    Forget(showingProgress_ && (complete || !keep));
}

bool TreeScreenDrawing::Cancel() {
    if (!job_) return false;
    const bool complete = job_->Ended() && !job_->Cancelled();
    Stop(true);
    if (!complete) hooks_.status(QStringLiteral("Abgebrochen"));
    return true;
}

void TreeScreenDrawing::Forget(bool idleStatus) {
    progressTimer_.stop();
    job_.reset();
    pending_ = QImage();
    showingProgress_ = false;
    if (idleStatus) hooks_.status(QString());
}

}  // namespace morvale
