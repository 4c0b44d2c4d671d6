#include "platform/qt/PaneStatusBar.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <optional>

namespace morvale {

// Lays its panes out by hand: a box layout would add their widths to the window's minimum.
class PaneStrip : public QWidget {
public:
    struct Pane {
        QLabel* label;
        UINT id = 0;
        PaneStyle style = SBPS_NORMAL;
        int width = 0;
        std::optional<PaneFittingText> fitting;
        bool mayCut = false;  // a prompt: cut at the pane's end rather than widen it
        int textWidth = 0;    // pixels the (longest) text needs inside the pane
        int fewestWidth = 0;  // pixels the shortest form of a fitting text needs
    };

    explicit PaneStrip(int count, QWidget* parent) : QWidget(parent) {
        for (int i = 0; i < count; ++i) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setContentsMargins(2, 0, 2, 0);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
            panes.push_back({.label = label, .fitting = {}});
        }
    }

    QSize sizeHint() const override { return {0, RowHeight()}; }
    QSize minimumSizeHint() const override { return {0, RowHeight()}; }

    void Apply(int index) {
        Pane& pane = panes[std::size_t(index)];
        const PaneStyle border = pane.style & (SBPS_NOBORDERS | SBPS_POPOUT);
        pane.label->setFrameStyle(border == SBPS_NOBORDERS ? QFrame::NoFrame
                                  : border == SBPS_POPOUT  ? QFrame::Panel | QFrame::Raised
                                                           : QFrame::Panel | QFrame::Sunken);
        Relayout();
    }

    // Pane widths were chosen for a status font averaging 5 pixels a character; a wider font gets
    // proportionally wider panes so that the texts written into them still fit.
    int TextRoom(int width) const {
        const double scale = std::max(1.0, fontMetrics().averageCharWidth() / 5.0);
        return int(std::lround(std::max(0, width) * scale));
    }

    // A pane is as wide as its writer asked, and never narrower than its text.
    // A value pane grows no wider than an eighth of the bar, or the shortest form of a fitting
    // text: a deep region's hundred digits are rounded there (or cut, whole in the tool tip)
    // instead of pushing every other pane off. The prompt pane's own texts are short.
    int OuterWidth(const Pane& pane) const {
        const QMargins m = pane.label->contentsMargins();
        const bool prompt = &pane == &panes.front();
        const int text = prompt ? pane.textWidth
                                : std::max(pane.fewestWidth, std::min(pane.textWidth, width() / 8));
        return std::max(TextRoom(pane.width), text) + 2 * pane.label->frameWidth() + m.left() +
               m.right();
    }

    // The room a text takes in a label, with the indent a framed label keeps before it.
    static int TextWidth(const QLabel* label, const QString& text) {
        if (text.isEmpty()) return 0;
        const QFontMetrics metrics = label->fontMetrics();
        return metrics.horizontalAdvance(text) + metrics.horizontalAdvance(QLatin1Char('x'));
    }

    // Sets the pane's text; true when the width it needs changed and the layout has to follow.
    bool Measure(Pane& pane, const QString& text) {
        pane.label->setText(text);
        const int needed = NeededWidth(pane), fewest = FewestWidth(pane);
        const bool changed = pane.textWidth != needed || pane.fewestWidth != fewest;
        pane.textWidth = needed;
        pane.fewestWidth = fewest;
        return changed;
    }

    // The longest form of a fitting text that the pane's width holds.
    static void ChooseFitting(const Pane& pane) {
        const PaneFittingText& fitting = *pane.fitting;
        const int room = pane.label->contentsRect().width();
        auto fits = [&](int n) {
            return TextWidth(pane.label, QString::fromStdString(fitting.text(n))) <= room;
        };
        int low = fitting.fewest, high = std::max(fitting.fewest, fitting.most);
        while (low < high) {
            const int middle = (low + high + 1) / 2;
            if (fits(middle))
                low = middle;
            else
                high = middle - 1;
        }
        pane.label->setText(QString::fromStdString(fitting.text(low)));
    }

    // The room a pane's text needs (the longest form of a fitting one), at the current font.
    static int NeededWidth(const Pane& pane) {
        if (pane.mayCut) return 0;
        if (!pane.fitting) return TextWidth(pane.label, pane.label->text());
        return TextWidth(pane.label,
                         QString::fromStdString(pane.fitting->text(pane.fitting->most)));
    }

    static int FewestWidth(const Pane& pane) {
        if (!pane.fitting) return 0;
        return TextWidth(pane.label,
                         QString::fromStdString(pane.fitting->text(pane.fitting->fewest)));
    }

    void Relayout() {
        constexpr int gap = 2;
        int fixed = 0, stretching = 0;
        for (Pane& pane : panes) {
            pane.textWidth = NeededWidth(pane);
            pane.fewestWidth = FewestWidth(pane);
        }
        for (const Pane& pane : panes) {
            fixed += OuterWidth(pane) + gap;
            if (pane.style & SBPS_STRETCH) ++stretching;
        }
        const int spare = std::max(0, width() - fixed);
        int x = 0;
        for (const Pane& pane : panes) {
            int w = OuterWidth(pane);
            if (pane.style & SBPS_STRETCH) w += spare / std::max(1, stretching);
            pane.label->setGeometry(x, 0, w, height());
            x += w + gap;
            if (pane.fitting) ChooseFitting(pane);
            ShowWholeAsToolTip(pane);
        }
    }

    // A text cut at the pane's end (a long prompt) or rounded to fit it can still be read whole
    // on hover.
    static void ShowWholeAsToolTip(const Pane& pane) {
        const QLabel* label = pane.label;
        const QString whole = pane.fitting
                                  ? QString::fromStdString(pane.fitting->text(pane.fitting->most))
                                  : label->text();
        const bool shortened = whole != label->text() || label->fontMetrics().horizontalAdvance(
                                                             whole) > label->contentsRect().width();
        pane.label->setToolTip(shortened ? whole : QString());
    }

    std::vector<Pane> panes;

protected:
    void resizeEvent(QResizeEvent*) override { Relayout(); }
    // Another font (a screen of another ratio, a changed desktop font) measures texts anew.
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) Relayout();
        QWidget::changeEvent(event);
    }

private:
    int RowHeight() const { return fontMetrics().height() + 6; }
};

PaneStatusBar::PaneStatusBar(int paneCount, QWidget* parent)
    : QStatusBar(parent), strip_(new PaneStrip(paneCount, this)) {
    addPermanentWidget(strip_, 1);
}

int PaneStatusBar::PaneCount() const {
    return int(strip_->panes.size());
}

void PaneStatusBar::SetPaneInfo(int index, UINT id, PaneStyle style, int width) {
    if (index < 0 || index >= PaneCount()) return;
    auto& pane = strip_->panes[std::size_t(index)];
    // Writers set the same layout on every pointer move and tree node: only changes cost a layout.
    if (pane.id == id && pane.style == style && pane.width == width) return;
    pane.id = id;
    pane.style = style;
    pane.width = width;
    strip_->Apply(index);
}

void PaneStatusBar::GetPaneInfo(int index, UINT& id, PaneStyle& style, int& width) const {
    const auto& pane = strip_->panes.at(std::size_t(index));
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void PaneStatusBar::SetPaneText(int index, const QString& text, bool updateNow) {
    SetText(index, text, updateNow, false);
}

void PaneStatusBar::ShowPrompt(int index, const QString& text) {
    SetText(index, text, true, true);
}

void PaneStatusBar::SetText(int index, const QString& text, bool updateNow, bool mayCut) {
    if (index < 0 || index >= PaneCount()) return;
    PaneStrip::Pane& pane = strip_->panes[std::size_t(index)];
    if (!pane.fitting && pane.mayCut == mayCut && pane.label->text() == text) return;
    pane.fitting.reset();
    pane.mayCut = mayCut;
    if (strip_->Measure(pane, text)) strip_->Relayout();
    PaneStrip::ShowWholeAsToolTip(pane);
    if (updateNow && pane.label->isVisible()) pane.label->repaint();
}

void PaneStatusBar::SetPaneFittingText(int index, const PaneFittingText& text, bool updateNow) {
    if (index < 0 || index >= PaneCount() || !text.text) return;
    PaneStrip::Pane& pane = strip_->panes[std::size_t(index)];
    pane.fitting = text;
    pane.mayCut = false;
    if (strip_->Measure(pane, QString::fromStdString(text.text(text.fewest))))
        strip_->Relayout();
    else
        PaneStrip::ChooseFitting(pane);
    PaneStrip::ShowWholeAsToolTip(pane);
    if (updateNow && pane.label->isVisible()) pane.label->repaint();
}

QString PaneStatusBar::PaneText(int index) const {
    if (index < 0 || index >= PaneCount()) return {};
    return strip_->panes[std::size_t(index)].label->text();
}

QString PaneStatusBar::PaneToolTip(int index) const {
    if (index < 0 || index >= PaneCount()) return {};
    return strip_->panes[std::size_t(index)].label->toolTip();
}

QRect PaneStatusBar::PaneRect(int index) const {
    const QLabel* label = strip_->panes.at(std::size_t(index)).label;
    return QRect(label->mapTo(this, QPoint(0, 0)), label->size());
}

}  // namespace morvale
