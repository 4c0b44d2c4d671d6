#include "view/qt/ViewNavigation.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "doc/Morvale1Doc.h"
#include "view/qt/Morvale1View.h"

namespace morvale {
namespace {

constexpr int kArrowShare = 8;  // an arrow key moves the picture by this share of the view

struct ArrowShift {
    int key;
    int dx;  // in shares of the view's width and height
    int dy;
};
// The picture moves the other way: Left shows what lies to the left.
constexpr ArrowShift kArrows[] = {
    {Qt::Key_Left, 1, 0}, {Qt::Key_Right, -1, 0}, {Qt::Key_Up, 0, 1}, {Qt::Key_Down, 0, -1}};

}  // namespace

void ViewNavigation::Wheel(QWheelEvent* event) {
    event->accept();
    const int delta = event->angleDelta().y();
    if (delta == 0 || !view_.CanNavigate()) return;
    const QPointF at = event->position() * view_.devicePixelRatio();
    Navigate(ZoomAbout(view_.PictureExtent(), at.x(), at.y(), WheelFactor(delta)));
}

void ViewNavigation::Navigate(const ZoomRect& step) {
    const DeviceExtent device = view_.PictureExtent();
    view_.StopDrawing(false);
    // A navigation whose drawing showed none of its rows gave its request back; the window shows
    // that request's preview, so this step goes on from it.
    const CMorvale1Doc& doc = *view_.GetDocument();
    const bool goesOn = requested_ && doc.ZoomPending == 1 && doc.ZoomCorners == *requested_;
    ShowPreview(MappingOf(step, device));
    requested_ = step;
    view_.previewMapping_ = MappingOf(step, device);
    view_.previewShown_ = true;
    view_.NavigateBy(step, goesOn);
}

// The picture as the zoom will show it, from the pixels the window has now.
void ViewNavigation::ShowPreview(const PixelMapping& mapping) {
    QImage& image = view_.image_;
    QImage source = image;
    source.setDevicePixelRatio(1.0);
    QImage preview(image.size(), QImage::Format_RGB32);
    preview.fill(view_.BackgroundColour());
    {
        QPainter painter(&preview);
        painter.setTransform(QTransform(1.0 / mapping.scaleX, 0.0, 0.0, 1.0 / mapping.scaleY,
                                        -mapping.offsetX / mapping.scaleX,
                                        -mapping.offsetY / mapping.scaleY));
        painter.drawImage(QPointF(0.0, 0.0), source);
    }
    preview.setDevicePixelRatio(image.devicePixelRatio());
    image = std::move(preview);
    view_.update();
}

bool ViewNavigation::Press(QMouseEvent* event) {
    if (event->button() == Qt::BackButton) {
        view_.OnViewBack();
    } else if (event->button() == Qt::ForwardButton) {
        view_.OnViewForward();
    } else if (event->button() == Qt::MiddleButton && view_.CanNavigate()) {
        panFrom_ = panTo_ = event->position().toPoint();
    } else {
        return false;
    }
    return true;
}

bool ViewNavigation::Move(QMouseEvent* event) {
    if (!panFrom_) return false;
    panTo_ = event->position().toPoint();
    view_.update();
    return true;
}

bool ViewNavigation::Release(QMouseEvent* event) {
    if (!panFrom_ || event->button() != Qt::MiddleButton) return false;
    const QPoint offset = PanOffset(event->position().toPoint());
    panFrom_.reset();
    view_.update();
    if (!offset.isNull() && view_.CanNavigate())
        Navigate(ShiftBy(view_.PictureExtent(), offset.x(), offset.y()));
    return true;
}

QPoint ViewNavigation::PanOffset(QPoint to) const {
    const QPointF logical = to - *panFrom_;
    const qreal ratio = view_.devicePixelRatio();
    return {int(std::lround(logical.x() * ratio)), int(std::lround(logical.y() * ratio))};
}

bool ViewNavigation::PaintPanned(QPainter& painter) {
    if (!panFrom_) return false;
    painter.fillRect(view_.rect(), view_.BackgroundColour());
    painter.drawImage(QPointF(panTo_ - *panFrom_), view_.image_);
    return true;
}

bool ViewNavigation::Key(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier)
        return false;
    for (const ArrowShift& arrow : kArrows) {
        if (event->key() != arrow.key) continue;
        if (!view_.CanNavigate()) return false;
        const QSize client = view_.ClientSize();
        Navigate(ShiftBy(view_.PictureExtent(), double(arrow.dx * (client.width() / kArrowShare)),
                         double(arrow.dy * (client.height() / kArrowShare))));
        return true;
    }
    return false;
}

bool ViewNavigation::ContextMenu(QContextMenuEvent* event) {
    if (!pictureMenu_ || !view_.CanNavigate()) return false;
    const QPointF at = QPointF(event->pos()) * view_.devicePixelRatio();
    view_.MenuPoint = {int(std::floor(at.x())), int(std::floor(at.y()))};
    pictureMenu_->popup(event->globalPos());
    return true;
}

}  // namespace morvale
