// Dialog template units to pixels, from the average character size of the dialog's font.
#pragma once

#include <QRect>
#include <QSize>

class QFont;

namespace morvale {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;
    int BaseX() const { return baseX_; }  // average character width, pixels
    int BaseY() const { return baseY_; }  // character height, pixels

private:
    int X(int units) const;
    int Y(int units) const;

    int baseX_;
    int baseY_;
};

}  // namespace morvale
