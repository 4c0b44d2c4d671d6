// The view widget's input: mouse, wheel, keys and context menu, and the drag frame the mouse moves.
// Wheel, pan, keys and menu go to ViewNavigation first; the rest is the toolkit-free view's.
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "view/qt/Morvale1View.h"
#include "view/qt/ViewNavigation.h"

namespace morvale {
namespace {

// The physical pixel under the pointer.
CPoint ClientPoint(const QMouseEvent* event, qreal ratio) {
    const QPointF p = event->position() * ratio;
    return {int(std::floor(p.x())), int(std::floor(p.y()))};
}

}  // namespace

CRect CMorvale1View::DragFrameBounds() const {
    return {std::min(DragAnchor.x, DragCurrent.x), std::min(DragAnchor.y, DragCurrent.y),
            std::max(DragAnchor.x, DragCurrent.x), std::max(DragAnchor.y, DragCurrent.y)};
}

void CMorvale1View::MoveDragFrame(CPoint to) {
    UpdatePhysical(DragFrameBounds());
    DragCurrent = to;
    UpdatePhysical(DragFrameBounds());
}

void CMorvale1View::EraseDragFrame(CDC*) {
    UpdatePhysical(DragFrameBounds());
}

void CMorvale1View::mousePressEvent(QMouseEvent* event) {
    if (navigation_->Press(event)) return;
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(kNoKeyFlags, ClientPoint(event, devicePixelRatio()));
}

void CMorvale1View::mouseMoveEvent(QMouseEvent* event) {
    navigation_->Move(event);
    OnMouseMove(kNoKeyFlags, ClientPoint(event, devicePixelRatio()));
}

void CMorvale1View::mouseReleaseEvent(QMouseEvent* event) {
    if (navigation_->Release(event)) return;
    if (event->button() != Qt::LeftButton) return;
    const bool framed = Dragging && drawing_;
    OnLButtonUp(kNoKeyFlags, ClientPoint(event, devicePixelRatio()));
    // Rows that arrive later would cover the red frame; it stays until the next drawing.
    if (framed) frameOverDrawing_ = true;
}

// The window class asks for double-clicks, which then arrive instead of a second press.
void CMorvale1View::mouseDoubleClickEvent(QMouseEvent*) {}

void CMorvale1View::wheelEvent(QWheelEvent* event) {
    navigation_->Wheel(event);
}

void CMorvale1View::keyPressEvent(QKeyEvent* event) {
    if (!navigation_->Key(event)) QWidget::keyPressEvent(event);
}

void CMorvale1View::contextMenuEvent(QContextMenuEvent* event) {
    if (!navigation_->ContextMenu(event)) event->ignore();
}

}  // namespace morvale
