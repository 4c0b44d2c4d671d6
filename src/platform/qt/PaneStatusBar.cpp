#include "platform/qt/PaneStatusBar.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace morvale {

// Lays its panes out by hand: a box layout would add their widths to the window's minimum.
class PaneStrip : public QWidget {
public:
    struct Pane {
        QLabel* label;
        UINT id = 0;
        PaneStyle style = SBPS_NORMAL;
        int width = 0;
    };

    explicit PaneStrip(int count, QWidget* parent) : QWidget(parent) {
        for (int i = 0; i < count; ++i) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setContentsMargins(2, 0, 2, 0);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
            panes.push_back({label});
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

    int OuterWidth(const Pane& pane) const {
        const QMargins m = pane.label->contentsMargins();
        return TextRoom(pane.width) + 2 * pane.label->frameWidth() + m.left() + m.right();
    }

    void Relayout() {
        constexpr int gap = 2;
        int fixed = 0, stretching = 0;
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
            ShowCutTextAsToolTip(pane.label);
        }
    }

    // A text cut at the pane's end (a long prompt) can still be read whole on hover.
    static void ShowCutTextAsToolTip(QLabel* label) {
        const QString& text = label->text();
        const bool cut =
            label->fontMetrics().horizontalAdvance(text) > label->contentsRect().width();
        label->setToolTip(cut ? text : QString());
    }

    std::vector<Pane> panes;

protected:
    void resizeEvent(QResizeEvent*) override { Relayout(); }

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
    if (index < 0 || index >= PaneCount()) return;
    QLabel* label = strip_->panes[std::size_t(index)].label;
    if (label->text() == text) return;
    label->setText(text);
    PaneStrip::ShowCutTextAsToolTip(label);
    if (updateNow && label->isVisible()) label->repaint();
}

QString PaneStatusBar::PaneText(int index) const {
    if (index < 0 || index >= PaneCount()) return {};
    return strip_->panes[std::size_t(index)].label->text();
}

QRect PaneStatusBar::PaneRect(int index) const {
    const QLabel* label = strip_->panes.at(std::size_t(index)).label;
    return QRect(label->mapTo(this, QPoint(0, 0)), label->size());
}

}  // namespace morvale
