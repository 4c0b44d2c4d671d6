// The hint painted over the view while it shows no picture: an overlay on the screen only, never
// part of the picture.
#pragma once

class QPainter;
class QRect;
class QWidget;

namespace morvale {

// Paints the hint centred in `area` (logical pixels) with the widget's font and palette.
void PaintEmptyViewHint(QPainter& painter, const QRect& area, const QWidget& widget);

}  // namespace morvale
