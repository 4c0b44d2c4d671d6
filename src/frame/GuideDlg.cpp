#include "frame/GuideDlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "frame/ButtonImages.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"

namespace morvale {
namespace {

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
    const ButtonImages images(strip);
    const int ratio = devicePixelRatioF() > 1.0 ? 2 : 1;
    for (int i = 0; i < images.Count(); ++i)
        browser_->document()->addResource(QTextDocument::ImageResource,
                                          QUrl(QStringLiteral("tree:%1").arg(i)),
                                          images.Image(i, ratio));
}

}  // namespace morvale
