#include "frame/ButtonImages.h"

#include <QPixmap>

namespace morvale {
namespace {

constexpr int kFineRatio = 2;

}  // namespace

ButtonImages::ButtonImages(const QString& stripFile) : strip_(stripFile) {
    QString fineFile = stripFile;
    fineFile.insert(fineFile.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const QImage fine(fineFile);
    if (!strip_.isNull() && fine.size() == strip_.size() * kFineRatio) fine_ = fine;
}

int ButtonImages::Count() const {
    return strip_.height() < kButtonImage.height() ? 0 : strip_.width() / kButtonImage.width();
}

QImage ButtonImages::Image(int index, int ratio) const {
    const QRect tile(QPoint(index * kButtonImage.width(), 0), kButtonImage);
    if (ratio != kFineRatio || fine_.isNull()) return strip_.copy(tile);
    QImage image = fine_.copy(QRect(tile.topLeft() * kFineRatio, tile.size() * kFineRatio));
    image.setDevicePixelRatio(kFineRatio);
    return image;
}

QIcon ButtonImages::Icon(int index) const {
    QIcon icon(QPixmap::fromImage(Image(index, 1)));
    if (!fine_.isNull()) icon.addPixmap(QPixmap::fromImage(Image(index, kFineRatio)));
    return icon;
}

}  // namespace morvale
