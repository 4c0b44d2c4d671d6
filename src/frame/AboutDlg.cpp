#include "frame/AboutDlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "platform/qt/DialogFont.h"
#include "platform/qt/QtText.h"
#include "res/ResourceTables.h"

namespace morvale {
namespace {

constexpr QSize kTemplateSize(171, 95);  // dialog units

QWidget* MainWindowOf(QWidget* parent) {
    if (parent) return parent;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QMainWindow")) return widget;
    return nullptr;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(MainWindowOf(parent)) {
    setFont(DialogFont());
    setWindowTitle(Utf8(res::kAboutCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    QStringList lines;
    for (std::string_view line : res::AboutLines()) lines << Utf8(line);
    auto* text = new QLabel(lines.join(QLatin1Char('\n')), this);
    text->setTextFormat(Qt::PlainText);  // "&" shows as it is
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);
    text->setGeometry(MapDialogRect(55, 10, 85, 44));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(MapDialogRect(73, 67, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    icon->setAlignment(Qt::AlignCenter);
    icon->setGeometry(MapDialogRect(16, 19, 21, 20));
    const int side = std::min(icon->contentsRect().width(), icon->contentsRect().height());
    icon->setPixmap(QPixmap(QStringLiteral(":/res/morvale1-32.png"))
                        .scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    const QRect frame = MapDialogRect(0, 0, kTemplateSize.width(), kTemplateSize.height());
    setFixedSize(frame.size());
}

QRect CAboutDlg::MapDialogRect(int x, int y, int width, int height) const {
    const QFontMetrics metrics(font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double unitX = metrics.horizontalAdvance(alphabet) / 52.0 / 4.0;
    const double unitY = metrics.height() / 8.0;
    return QRect(qRound(x * unitX), qRound(y * unitY), qRound(width * unitX),
                 qRound(height * unitY));
}

}  // namespace morvale
