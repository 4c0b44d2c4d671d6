// Draws the toolbar strips (16 x 15 per button, 16 VGA colours, no anti-aliasing), the same
// strips drawn anew at twice the size for screens of pixel ratio 2 (toolbar@2x.png,
// treebar@2x.png) and the program and document icons into a folder:
// draw-toolbar-images <folder>.
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <complex>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int kW = 16;
constexpr int kH = 15;

// The 16 colours of the classic toolbar bitmaps.
const QColor kBlack(0, 0, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0), kOlive(128, 128, 0),
    kNavy(0, 0, 128), kPurple(128, 0, 128), kTeal(0, 128, 128), kGrey(128, 128, 128),
    kSilver(192, 192, 192), kRed(255, 0, 0), kLime(0, 255, 0), kYellow(255, 255, 0),
    kBlue(0, 0, 255), kFuchsia(255, 0, 255), kCyan(0, 255, 255), kWhite(255, 255, 255);

using Painter = std::function<void(QPainter&)>;

// Drawn at twice the size: the painter scales every coordinate of the 16 x 15 grid by 2.
bool Fine(const QPainter& p) {
    return p.transform().m11() > 1.0;
}

QFont LetterFont(int pixels, bool fine) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setStyleStrategy(fine ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

// Scaled up, a stroke keeps to the blocks of the pixels it covers at size 1 when it runs through
// their centres.
template <class Draw>
void Stroked(QPainter& p, Draw draw) {
    p.save();
    if (Fine(p)) p.translate(0.5, 0.5);
    draw();
    p.restore();
}

void Tile(QPainter& p, const QColor& fill) {
    p.fillRect(1, 1, 14, 13, fill);
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.drawRect(0, 0, 15, 14);
    });
}

void Text(QPainter& p, const QRect& r, const QString& text, int pixels,
          const QColor& colour = kBlack) {
    p.save();
    if (Fine(p)) p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(LetterFont(pixels, Fine(p)));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void Sign(QPainter& p, bool plus) {
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.drawLine(10, 7, 14, 7);
        if (plus) p.drawLine(12, 5, 12, 9);
    });
}

Painter LetterOn(const QColor& fill, const QString& letter) {
    return [=](QPainter& p) {
        Tile(p, fill);
        Text(p, QRect(0, 0, 16, 15), letter, 11);
    };
}

Painter Plain(const QColor& fill) {
    return [=](QPainter& p) { Tile(p, fill); };
}

// Main toolbar.

void BlankPage(QPainter& p) {
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(kWhite);
        p.drawPolygon(
            QPolygon({QPoint(3, 1), QPoint(9, 1), QPoint(12, 4), QPoint(12, 13), QPoint(3, 13)}));
        p.drawLine(9, 1, 9, 4);
        p.drawLine(9, 4, 12, 4);
    });
}

void OpenFolder(QPainter& p) {
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(kOlive);
        p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(11, 4),
                                QPoint(11, 12), QPoint(1, 12)}));
        p.setBrush(kYellow);
        p.drawPolygon(QPolygon({QPoint(4, 7), QPoint(15, 7), QPoint(11, 12), QPoint(1, 12)}));
        p.drawLine(11, 1, 14, 1);  // the arrow of an opening lid
        p.drawLine(14, 1, 14, 4);
    });
}

void Diskette(QPainter& p) {
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(kNavy);
        p.drawRect(1, 1, 13, 12);
    });
    p.fillRect(4, 2, 8, 5, kWhite);
    p.fillRect(4, 9, 8, 4, kSilver);
    p.fillRect(9, 10, 2, 2, kNavy);
}

void Printer(QPainter& p) {
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(kWhite);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(kSilver);
        p.drawRect(1, 6, 13, 5);
    });
    p.fillRect(11, 8, 2, 1, kLime);
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(kWhite);
        p.drawRect(4, 11, 7, 2);
    });
}

void QuestionMark(QPainter& p) {
    Text(p, QRect(1, 1, 16, 15), "?", 14, kBlack);
    Text(p, QRect(0, 0, 16, 15), "?", 14, kYellow);
}

void Speckles(QPainter& p) {
    Tile(p, kBlack);
    std::mt19937 random(7);
    const QColor colours[] = {kLime, kRed, kYellow, kWhite};
    for (int y = 1; y < 14; ++y)
        for (int x = 1; x < 15; ++x) {
            const unsigned pick = random() % 6;
            if (pick < 4) p.fillRect(x, y, 1, 1, colours[pick]);
        }
}

void SmallTree(QPainter& p) {
    p.fillRect(0, 0, 16, 15, kSilver);
    Stroked(p, [&] {
        p.setPen(kMaroon);
        p.drawLine(8, 14, 8, 8);
        p.setPen(kGreen);
        p.drawLine(8, 8, 3, 3);
        p.drawLine(5, 5, 2, 6);
        p.setPen(kRed);
        p.drawLine(8, 8, 13, 3);
        p.drawLine(11, 5, 14, 6);
        p.setPen(kBlue);
        p.drawLine(8, 8, 8, 1);
        p.drawLine(8, 4, 6, 2);
    });
}

// Tree toolbar: each image shows what its button changes, a plus or minus sign at the right
// telling which way.

// Draws a tree: a star of arms with red tips.
void TreeStar(QPainter& p) {
    Tile(p, kWhite);
    const QPoint centre(7, 7);
    const QPoint ends[] = {{7, 2}, {11, 3}, {12, 7}, {11, 11}, {7, 12}, {3, 11}, {2, 7}, {3, 3}};
    Stroked(p, [&] {
        p.setPen(kGreen);
        for (QPoint end : ends) p.drawLine(centre, end);
    });
    for (QPoint end : ends) p.fillRect(end.x(), end.y(), 1, 1, kRed);
}

// Back to the defaults: an arrow going round.
void TurnBack(QPainter& p) {
    Tile(p, kYellow);
    Stroked(p, [&] {
        p.setPen(kBlack);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(3, 3, 9, 9), 90 * 16, 270 * 16);
        p.drawLine(12, 5, 10, 7);
        p.drawLine(12, 5, 14, 7);
    });
}

Painter WithSign(void (*symbol)(QPainter&), bool plus) {
    return [=](QPainter& p) {
        Tile(p, kYellow);
        Stroked(p, [&] {
            p.setPen(kBlack);
            p.setBrush(Qt::NoBrush);
            symbol(p);
        });
        Sign(p, plus);
    };
}

// Arms per node: arms leaving one point.
void Fan(QPainter& p) {
    p.drawLine(5, 8, 2, 3);
    p.drawLine(5, 8, 8, 3);
    p.drawLine(5, 8, 5, 12);
}

// Segments per arm: an arm of short straight pieces.
void Chain(QPainter& p) {
    const QPoint joints[] = {{1, 12}, {2, 9}, {4, 7}, {5, 4}, {8, 2}};
    p.drawPolyline(joints, 5);
    p.setPen(kRed);
    for (QPoint joint : joints) p.drawPoint(joint);
}

// Length of one segment: a measured stretch.
void Measure(QPainter& p) {
    p.drawLine(2, 7, 8, 7);
    p.drawLine(2, 4, 2, 10);
    p.drawLine(8, 4, 8, 10);
}

// Turn per segment: an angle with its arc.
void Angle(QPainter& p) {
    p.drawLine(1, 12, 9, 12);
    p.drawLine(1, 12, 7, 4);
    p.drawArc(QRect(-4, 7, 10, 10), 0, 53 * 16);
}

// Divisor of the segments from one level to the next: a division sign.
void Divide(QPainter& p) {
    p.drawLine(2, 7, 8, 7);
    p.drawRect(4, 3, 1, 1);
    p.drawRect(4, 10, 1, 1);
}

void ThreeBars(QPainter& p) {
    Tile(p, kYellow);
    p.fillRect(2, 2, 12, 3, kRed);
    p.fillRect(2, 6, 12, 3, kBlue);
    p.fillRect(2, 10, 12, 3, kLime);
}

QImage Strip(const std::vector<Painter>& buttons, int scale) {
    const int w = kW * scale, h = kH * scale;
    QImage strip(w * int(buttons.size()), h, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QImage tile(w, h, QImage::Format_ARGB32);
        tile.fill(Qt::transparent);
        QPainter p(&tile);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.scale(scale, scale);
        buttons[i](p);
        p.end();
        QPainter s(&strip);
        s.drawImage(w * int(i), 0, tile);
    }
    return strip;
}

// A small Mandelbrot set in a few of the palette's colours: the program's icon.
QImage Icon(int size, bool documentPage) {
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QColor ramp[] = {kNavy, kBlue, kTeal, kCyan, kLime, kYellow, kRed, kMaroon};
    const int inset = documentPage ? size / 6 : 0;
    const int side = size - 2 * inset;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::complex<double> c(-2.2 + 3.0 * (x + 0.5) / side,
                                         -1.5 + 3.0 * (y + 0.5) / side);
            std::complex<double> z;
            int n = 0;
            while (n < 40 && std::norm(z) <= 4.0) {
                z = z * z + c;
                ++n;
            }
            icon.setPixelColor(x + inset, y + inset, n == 40 ? kBlack : ramp[n % 8]);
        }
    if (documentPage) {
        QPainter p(&icon);
        p.setPen(QPen(kBlack, 1));
        p.drawRect(inset - 1, inset - 1, side + 1, side + 1);
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    const std::vector<Painter> mainBar = {
        BlankPage,
        OpenFolder,
        Diskette,
        Printer,
        QuestionMark,
        LetterOn(kRed, "D"),
        Plain(kGreen),
        Plain(kPurple),
        Plain(kNavy),
        Speckles,
        Plain(kLime),
        Plain(kRed),
        Plain(kBlue),
        LetterOn(kYellow, "J"),
        LetterOn(kYellow, "M"),
        Plain(kSilver),
        LetterOn(kCyan, "db"),
        SmallTree,
    };
    const std::vector<Painter> treeBar = {
        TreeStar,
        TurnBack,
        WithSign(Fan, true),
        WithSign(Fan, false),
        WithSign(Chain, true),
        WithSign(Chain, false),
        WithSign(Measure, true),
        WithSign(Measure, false),
        WithSign(Angle, true),
        WithSign(Angle, false),
        ThreeBars,
        WithSign(Divide, true),
        WithSign(Divide, false),
    };
    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        ok = Strip(mainBar, scale).save(out.filePath("toolbar" + suffix + ".png")) && ok;
        ok = Strip(treeBar, scale).save(out.filePath("treebar" + suffix + ".png")) && ok;
    }
    for (int size : {16, 32, 48, 128}) {
        ok = Icon(size, false).save(out.filePath(QString("morvale1-%1.png").arg(size))) && ok;
        ok = Icon(size, true).save(out.filePath(QString("morvale1-document-%1.png").arg(size))) &&
             ok;
    }
    return ok ? 0 : 1;
}
