#include "view/qt/EmptyViewHint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "platform/qt/QtText.h"
#include "view/ViewHints.h"

namespace morvale {
namespace {

constexpr int kMargin = 14;         // logical pixels between the box's edge and the text
constexpr double kFontScale = 1.2;  // a little larger than the window's font

}  // namespace

void PaintEmptyViewHint(QPainter& painter, const QRect& area, const QWidget& widget) {
    QFont font = widget.font();
    font.setPointSizeF(font.pointSizeF() * kFontScale);
    const QString text = Utf8(kEmptyViewHint);
    const QFontMetrics metrics(font);
    const QRect textBox = metrics.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text);
    const QRect box = textBox.adjusted(-kMargin, -kMargin, kMargin, kMargin) & area;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(widget.palette().color(QPalette::Mid));
    painter.setBrush(widget.palette().color(QPalette::Base));
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.setFont(font);
    painter.setPen(widget.palette().color(QPalette::Text));
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.restore();
}

}  // namespace morvale
