// The window's navigation: maps the wheel, the middle-button drag, the arrow keys, the mouse's
// back and forward buttons and the picture's context menu to the view's navigation
// (view/navigate/), and shows the old picture moved or scaled until the new one's rows arrive.
#pragma once

#include <QPoint>
#include <optional>

#include "plane/ZoomRect.h"
#include "view/navigate/Navigation.h"

class QContextMenuEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QPainter;
class QWheelEvent;

namespace morvale {

class CMorvale1View;

class ViewNavigation {
public:
    explicit ViewNavigation(CMorvale1View& view) : view_(view) {}

    void SetPictureMenu(QMenu* menu) { pictureMenu_ = menu; }

    void Wheel(QWheelEvent* event);
    // Each returns true when it took the event.
    bool Press(QMouseEvent* event);
    bool Move(QMouseEvent* event);
    bool Release(QMouseEvent* event);
    bool Key(QKeyEvent* event);
    bool ContextMenu(QContextMenuEvent* event);
    // While the middle button pans: paints the picture where the pointer has taken it.
    bool PaintPanned(QPainter& painter);

    // Zooms or pans the picture on the screen by `step`, made on the picture the window shows.
    void Navigate(const ZoomRect& step);

private:
    void ShowPreview(const PixelMapping& mapping);
    QPoint PanOffset(QPoint to) const;  // physical pixels

    CMorvale1View& view_;
    QMenu* pictureMenu_ = nullptr;
    std::optional<QPoint> panFrom_;  // logical position of the middle-button press
    QPoint panTo_;
    // The request of the last navigation, as it was handed to the document.
    std::optional<ZoomRect> requested_;
};

}  // namespace morvale
