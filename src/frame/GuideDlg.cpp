#include "frame/GuideDlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"

namespace morvale {
namespace {

constexpr QSize kButtonImage(16, 15);
constexpr QSize kGuideSize(620, 680);  // logical pixels

QString GuideText() {
    QFile file(QStringLiteral(":/res/guide.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

CGuideDlg::CGuideDlg(const QString& treeBarStrip, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(Utf8(res::kGuideCaption));
    browser_->setOpenLinks(false);
    AddButtonImages(treeBarStrip);
    browser_->setHtml(GuideText());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(kGuideSize);
}

// The page names them "tree:0" to "tree:12"; the sharp form serves screens of ratio 2.
void CGuideDlg::AddButtonImages(const QString& strip) {
    QString fineFile = strip;
    fineFile.insert(fineFile.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const QImage coarse(strip), fine(fineFile);
    const bool sharp = devicePixelRatioF() > 1.0 && fine.size() == coarse.size() * 2;
    const QImage& source = sharp ? fine : coarse;
    const int scale = sharp ? 2 : 1;
    const int count = coarse.width() / kButtonImage.width();
    for (int i = 0; i < count; ++i) {
        QImage tile =
            source.copy(QRect(QPoint(i * kButtonImage.width(), 0) * scale, kButtonImage * scale));
        tile.setDevicePixelRatio(scale);
        browser_->document()->addResource(QTextDocument::ImageResource,
                                          QUrl(QStringLiteral("tree:%1").arg(i)), tile);
    }
}

}  // namespace morvale
