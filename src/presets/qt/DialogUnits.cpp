#include "presets/qt/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <cmath>

namespace morvale {
namespace {

// The average width is taken over both alphabets and rounded, as dialog templates expect.
int AverageCharWidth(const QFontMetrics& metrics) {
    const int total = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (total / 26 + 1) / 2;
}

int Scale(int units, int base, int divisor) {
    return int(std::lround(double(units) * base / divisor));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    baseX_ = AverageCharWidth(metrics);
    baseY_ = metrics.height();
}

int DialogUnits::X(int units) const {
    return Scale(units, baseX_, 4);
}

int DialogUnits::Y(int units) const {
    return Scale(units, baseY_, 8);
}

QRect DialogUnits::ToPixels(const QRect& units) const {
    return {X(units.x()), Y(units.y()), X(units.width()), Y(units.height())};
}

QSize DialogUnits::ToPixels(const QSize& units) const {
    return {X(units.width()), Y(units.height())};
}

}  // namespace morvale
