#include "view/qt/Morvale1View.h"

#include <qpa/qplatformscreen.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusTipEvent>
#include <cmath>
#include <cstring>
#include <utility>

#include "doc/Morvale1Doc.h"
#include "platform/qt/ImageSurface.h"
#include "view/ViewHints.h"
#include "view/drawing/BackgroundDrawing.h"
#include "view/qt/DrawingPace.h"
#include "view/qt/EmptyViewHint.h"
#include "view/qt/EscapeKey.h"
#include "view/qt/TreeScreenDrawing.h"
#include "view/qt/ViewNavigation.h"
#include "view/qt/ViewPrinting.h"

namespace morvale {
namespace {

using View = CMorvale1View;

// A client device context: drawings land in the view's image and show when it is released.
class ClientDC : public CDC {
public:
    ClientDC(std::function<void(const CRect&)> show, PixelSurface surface, QSize device)
        : CDC(surface, device.width(), device.height()), show_(std::move(show)) {}
    ~ClientDC() override {
        const CRect dirty = TakeDirtyRect();
        if (!dirty.IsEmpty()) show_(dirty);
    }

private:
    std::function<void(const CRect&)> show_;
};

}  // namespace

CMorvale1View::CMorvale1View(CMorvale1Doc* document, QWidget* parent)
    : QWidget(parent),
      CFractalView(document),
      navigation_(std::make_unique<ViewNavigation>(*this)),
      escapeKey_(std::make_unique<EscapeKey>(this, [this] { return StopComputing(); })),
      pages_(std::make_unique<ViewPrinting>(*this)) {
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    progressTimer_.setInterval(pace::kProgressMs);
    connect(&progressTimer_, &QTimer::timeout, this, &View::ShowProgress);
}

CMorvale1View::~CMorvale1View() {
    trees_.reset();
    drawing_.reset();
}

void CMorvale1View::SetPictureMenu(QMenu* menu) {
    navigation_->SetPictureMenu(menu);
}

bool CMorvale1View::ExecuteCommand(UINT id) {
    return pages_->ExecuteCommand(id) || CFractalView::ExecuteCommand(id);
}

bool CMorvale1View::UpdateCommand(CCmdUI& ui) {
    return pages_->UpdateCommand(ui) || CFractalView::UpdateCommand(ui);
}

QColor CMorvale1View::BackgroundColour() const {
    return palette().color(QPalette::Button);
}

QSize CMorvale1View::DeviceSize() const {
    const QScreen* shown = screen();
    // The platform's own pixels (times its own ratio, on platforms that scale themselves): the
    // logical size times a fractional scale factor is rounded twice.
    if (const QPlatformScreen* platform = shown ? shown->handle() : nullptr)
        return platform->geometry().size() * platform->devicePixelRatio();
    return ClientSize();
}

int CMorvale1View::DrawingRowsDone() const {
    return drawing_ ? drawing_->Job().Progress().RowsDone() : 0;
}

QSize CMorvale1View::ClientSize() const {
    return size() * devicePixelRatio();
}

CPoint CMorvale1View::DrawnPixelAt(CPoint client) const {
    if (!previewMapping_) return client;
    const PixelMapping& m = *previewMapping_;
    // The pixel whose area holds the centre of the preview's pixel (far ones saturate).
    const auto at = [](double offset, double scale, int pixel) {
        return int(std::clamp(std::floor(offset + scale * (pixel + 0.5)), -1e9, 1e9));
    };
    return {at(m.offsetX, m.scaleX, client.x), at(m.offsetY, m.scaleY, client.y)};
}

void CMorvale1View::Invalidate() {
    StopDrawing(false);
    drawingDue_ = true;
    update();
}

// Keeps what was there, so a drawing that has yet to show leaves no blank behind.
void CMorvale1View::EnsureImage() {
    const qreal ratio = devicePixelRatio();
    if (image_.size() == ClientSize() && image_.devicePixelRatio() == ratio) return;
    // The running drawing's rows fit the old image only: shown there before it goes.
    StopDrawing(false);
    QImage resized(ClientSize(), QImage::Format_RGB32);
    resized.fill(BackgroundColour());
    if (image_.devicePixelRatio() == ratio) {
        QPainter copy(&resized);
        copy.drawImage(QPoint(0, 0), image_);
    }
    resized.setDevicePixelRatio(ratio);
    image_ = std::move(resized);
    drawingDue_ = true;
}

// Physical client pixels to the logical ones covering them.
void CMorvale1View::UpdatePhysical(const CRect& rect) {
    const qreal ratio = devicePixelRatio();
    const int left = int(std::floor(rect.left / ratio)), top = int(std::floor(rect.top / ratio));
    update(left, top, int(std::ceil(rect.right / ratio)) - left,
           int(std::ceil(rect.bottom / ratio)) - top);
}

std::unique_ptr<CDC> CMorvale1View::GetClientDC() {
    EnsureImage();
    return std::make_unique<ClientDC>([this](const CRect& dirty) { UpdatePhysical(dirty); },
                                      ImageSurface(image_), DeviceSize());
}

void CMorvale1View::DrawIntoImage(bool waitInPlace) {
    drawingDue_ = false;
    StopDrawing(false);
    if (!PictureHint.empty()) {
        PictureHint.clear();
        // Not from inside this view's painting: the status bar would paint within it.
        QMetaObject::invokeMethod(this, &View::ShowIdleStatus, Qt::QueuedConnection);
    }
    const Fractal kind = GetDocument()->FractalKind;
    if (ViewMode == Drawing::EscapeTime &&
        (kind == Fractal::Julia || kind == Fractal::Mandelbrot)) {
        pictureShown_ = true;
        StartDrawing(waitInPlace);
        return;
    }
    pictureShown_ = ViewMode == Drawing::Tree;
    if (ViewMode == Drawing::Tree) {
        StartTree();
        return;
    }
    image_.fill(BackgroundColour());
    CDC dc(ImageSurface(image_), DeviceSize().width(), DeviceSize().height());
    QScopedValueRollback scale(treeScale_, devicePixelRatio());
    OnDraw(&dc);
    ++drawings_;
}

void CMorvale1View::StartDrawing(bool waitInPlace) {
    frameOverDrawing_ = false;
    pending_ = QImage(image_.size(), QImage::Format_RGB32);
    pending_.fill(BackgroundColour());
    CDC dc(ImageSurface(pending_), DeviceSize().width(), DeviceSize().height());
    drawing_ = std::make_unique<BackgroundDrawing>(*this, dc, [this] {
        QMetaObject::invokeMethod(this, &View::DrawingEnded, Qt::QueuedConnection);
    });
    if (const std::string refusal = drawing_->Refusal(); !refusal.empty())
        return RefuseDrawing(refusal);
    drawingClock_.start();
    progressTimer_.start();
    if (waitInPlace && drawing_->Job().WaitFor(pace::kWaitInPlace)) DrawingEnded();
}

// A region no drawing can show: the picture before it comes back, and the request is dropped.
void CMorvale1View::RefuseDrawing(const std::string& why) {
    drawing_->DropRequests();
    drawing_.reset();
    pending_ = QImage();
    previewMapping_.reset();
    if (whole_ && whole_->image.size() == image_.size()) {
        const qreal ratio = image_.devicePixelRatio();
        image_ = whole_->image;
        image_.setDevicePixelRatio(ratio);
    }
    update();
    ShowStatus(QStringLiteral("Nicht gezeichnet: ") + QString::fromStdString(why));
}

void CMorvale1View::DrawingEnded() {
    if (drawing_ && drawing_->Job().Ended() && !drawing_->Job().Failure().empty()) {
        const std::string failure = drawing_->Job().Failure();  // outlives the drawing
        progressTimer_.stop();
        showingProgress_ = false;
        return RefuseDrawing(failure);
    }
    if (!drawing_ || !drawing_->Job().Complete()) return;
    drawing_->Complete();
    previewMapping_.reset();
    pending_.setDevicePixelRatio(image_.devicePixelRatio());
    image_ = std::move(pending_);
    // Shared until the image changes: the copy costs nothing now.
    if (const ViewRecord* shown = ShownView()) whole_ = WholePicture{image_, *shown};
    ++drawings_;
    PictureHint = BlackPictureHint(LastEscapeTally, GetDocument()->IterationLimit);
    ForgetDrawing(showingProgress_ || !PictureHint.empty());
    RedrawZoomFrame();
    if (!painting_) update();
}

void CMorvale1View::RedrawZoomFrame() {
    if (!frameOverDrawing_) return;
    if (const std::unique_ptr<CDC> dc = GetClientDC()) DrawZoomFrame(dc.get());
}

void CMorvale1View::ShowProgress() {
    if (!drawing_ || drawingClock_.elapsed() < pace::kQuietMs) return;
    showingProgress_ = true;
    ShowFinishedRows();
    const EscapeProgress& progress = drawing_->Job().Progress();
    if (const int reference = progress.ReferencePercent(); reference >= 0) {
        ShowStatus(QStringLiteral("Referenzbahn: %1 %").arg(reference));
        return;
    }
    const int percent = progress.Rows() > 0 ? progress.RowsDone() * 100 / progress.Rows() : 100;
    ShowStatus(QStringLiteral("Zeichnen: %1 %").arg(percent));
}

void CMorvale1View::ShowFinishedRows() {
    const qsizetype rowBytes = std::min(image_.bytesPerLine(), pending_.bytesPerLine());
    const int rows = std::min(image_.height(), pending_.height());
    int top = image_.height(), bottom = 0;
    const bool any = drawing_->Job().Progress().TakeFinished([&](int begin, int end) {
        end = std::min(end, rows);
        if (begin >= end) return;
        for (int y = begin; y < end; ++y)
            std::memcpy(image_.scanLine(y), pending_.constScanLine(y), std::size_t(rowBytes));
        top = std::min(top, begin);
        bottom = std::max(bottom, end);
    });
    if (!any) return;
    drawing_->Adopt();
    previewMapping_.reset();
    UpdatePhysical({0, top, image_.width(), bottom});
    RedrawZoomFrame();
}

void CMorvale1View::CancelDrawing() {
    if (trees_ && trees_->Cancel()) return;
    if (!drawing_) return;
    drawing_->Job().Cancel();
    drawing_->Job().Wait();
    // Escape after the last row, before the queued end call: the picture is complete.
    if (drawing_->Job().Complete()) return DrawingEnded();
    StopDrawing(true);
    DropHistoryRequest();
    ShowStatus(QStringLiteral("Abgebrochen"));
}

bool CMorvale1View::StopComputing() {
    if (pages_->StopPage()) return true;
    if (!IsDrawing()) return false;
    CancelDrawing();
    return true;
}

void CMorvale1View::StopDrawing(bool keepRows) {
    StopTree(keepRows);
    if (!drawing_) return;
    drawing_->Job().Cancel();
    drawing_->Job().Wait();
    if (keepRows || drawing_->Adopted()) ShowFinishedRows();
    ForgetDrawing(showingProgress_ && !keepRows);
}

void CMorvale1View::ForgetDrawing(bool idleStatus) {
    progressTimer_.stop();
    drawing_.reset();
    pending_ = QImage();
    showingProgress_ = false;
    if (idleStatus) ShowIdleStatus();
}

// Pane 0 goes back to its idle text, as when a status tip ends.
void CMorvale1View::ShowIdleStatus() {
    QStatusTipEvent idle{QString()};
    QApplication::sendEvent(window(), &idle);
}

void CMorvale1View::ShowStatus(const QString& text) {
    if (IMainFrame* frame = GetMainFrame()) frame->SetPaneText(0, text.toStdString(), true);
}

void CMorvale1View::paintEvent(QPaintEvent* event) {
    QScopedValueRollback guard(painting_, true);
    EnsureImage();
    // A preview goes to the screen before its drawing starts taking the cores.
    const bool previewFirst = std::exchange(previewShown_, false);
    if (drawingDue_ && !previewFirst) DrawIntoImage();
    PaintImage(event->rect());
    if (drawingDue_ && previewFirst) DrawIntoImage(false);
}

void CMorvale1View::PaintImage(const QRect& area) {
    QPainter painter(this);
    if (navigation_->PaintPanned(painter)) return;
    // The drag frame inverts the picture only while it is painted: never part of the image.
    CDC overlay(ImageSurface(image_), DeviceSize().width(), DeviceSize().height());
    if (Dragging) DrawDragFrame(&overlay);
    const qreal ratio = devicePixelRatio();
    painter.drawImage(
        area, image_,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    if (Dragging) DrawDragFrame(&overlay);
    if (!pictureShown_) PaintEmptyViewHint(painter, rect(), *this);
}

void CMorvale1View::resizeEvent(QResizeEvent*) {
    StopDrawing(false);
    drawingDue_ = true;
    // Stopping may show the status pane at once, which paints the window's pending regions,
    // this view's included, before the drawing was due: ask for the paint again.
    update();
}

bool CMorvale1View::DrawPage(CDC& dc) {
    return pages_->DrawPage(dc);
}

void CMorvale1View::SetPrintSupport(PrintSupport* printing) {
    pages_->SetPrintSupport(printing);
}

bool CMorvale1View::ComputeEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                      const PixelSurface& surface) {
    if (!pages_->DrawingPage()) return CFractalView::ComputeEscapeTime(scene, colours, surface);
    return pages_->ComputePage(scene, colours, surface);
}

void CMorvale1View::StartTree() {
    if (!trees_) {
        TreeScreenDrawing::Hooks hooks;
        hooks.show = [this](const QImage& drawn, bool complete) {
            if (drawn.size() != image_.size()) return;
            const qreal ratio = image_.devicePixelRatio();
            image_ = drawn.copy();
            image_.setDevicePixelRatio(ratio);
            if (complete) ++drawings_;
            if (!painting_) update();
        };
        hooks.status = [this](const QString& text) {
            if (!text.isEmpty()) return ShowStatus(text);
            ShowIdleStatus();
        };
        trees_ = std::make_unique<TreeScreenDrawing>(std::move(hooks));
    }
    QScopedValueRollback scale(treeScale_, devicePixelRatio());
    trees_->Start(*this, image_.size(), DeviceSize(), BackgroundColour());
}

bool CMorvale1View::TreeRunning() const {
    return trees_ && trees_->Running();
}

void CMorvale1View::StopTree(bool keep) {
    if (trees_) trees_->Stop(keep);
}

}  // namespace morvale
