#include "view/qt/Morvale1View.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>

#include "doc/Morvale1Doc.h"
#include "platform/qt/PrintSupport.h"

namespace morvale {
namespace {

using View = CMorvale1View;

constexpr CommandEntry<View> kPrintCommands[] = {
    {ID_FILE_PRINT, &View::OnFilePrint},
    {ID_FILE_PRINT_DIRECT, &View::OnFilePrintDirect},
    {ID_FILE_PRINT_PREVIEW, &View::OnFilePrintPreview},
};

CPoint ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

// A client device context: drawings land in the view's image and show when it is released.
class ClientDC : public CDC {
public:
    ClientDC(QWidget* view, PixelSurface surface, QSize device)
        : CDC(surface, device.width(), device.height()), view_(view) {}
    ~ClientDC() override {
        const CRect dirty = TakeDirtyRect();
        if (!dirty.IsEmpty())
            view_->update(dirty.left, dirty.top, dirty.right - dirty.left,
                          dirty.bottom - dirty.top);
    }

private:
    QWidget* view_;
};

}  // namespace

CMorvale1View::CMorvale1View(CMorvale1Doc* document, QWidget* parent)
    : QWidget(parent), CFractalView(document) {
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

bool CMorvale1View::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kPrintCommands, id) || CFractalView::ExecuteCommand(id);
}

bool CMorvale1View::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kPrintCommands, ui) || CFractalView::UpdateCommand(ui);
}

QColor CMorvale1View::BackgroundColour() const {
    return palette().color(QPalette::Button);
}

QSize CMorvale1View::DeviceSize() const {
    const QScreen* shown = screen();
    return shown ? shown->size() : size();
}

void CMorvale1View::Invalidate() {
    drawingDue_ = true;
    update();
}

PixelSurface CMorvale1View::ImageSurface() {
    return {reinterpret_cast<Pixel*>(image_.bits()), image_.width(), image_.height(),
            image_.bytesPerLine() / 4};
}

void CMorvale1View::EnsureImage() {
    if (image_.size() == size()) return;
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(BackgroundColour());
    drawingDue_ = true;
}

std::unique_ptr<CDC> CMorvale1View::GetClientDC() {
    EnsureImage();
    return std::make_unique<ClientDC>(this, ImageSurface(), DeviceSize());
}

void CMorvale1View::DrawIntoImage() {
    drawingDue_ = false;
    image_.fill(BackgroundColour());
    CDC dc(ImageSurface(), DeviceSize().width(), DeviceSize().height());
    OnDraw(&dc);
    ++drawings_;
}

void CMorvale1View::paintEvent(QPaintEvent* event) {
    QScopedValueRollback guard(painting_, true);
    EnsureImage();
    if (drawingDue_) DrawIntoImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void CMorvale1View::resizeEvent(QResizeEvent*) {
    drawingDue_ = true;
}

void CMorvale1View::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDown(kNoKeyFlags, ClientPoint(event));
}

void CMorvale1View::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(kNoKeyFlags, ClientPoint(event));
}

void CMorvale1View::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonUp(kNoKeyFlags, ClientPoint(event));
}

// The window class asks for double-clicks, which then arrive instead of a second press.
void CMorvale1View::mouseDoubleClickEvent(QMouseEvent*) {}

void CMorvale1View::DrawPage(CDC& dc) {
    OnDraw(&dc);
}

void CMorvale1View::OnFilePrint() {
    if (printing_) printing_->Print(window(), true, [this](CDC& dc) { DrawPage(dc); });
}

void CMorvale1View::OnFilePrintDirect() {
    if (printing_) printing_->Print(window(), false, [this](CDC& dc) { DrawPage(dc); });
}

void CMorvale1View::OnFilePrintPreview() {
    if (printing_) printing_->Preview(window(), [this](CDC& dc) { DrawPage(dc); });
}

}  // namespace morvale
