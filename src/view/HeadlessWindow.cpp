#include "view/HeadlessWindow.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include "render/EscapeRenderer.h"
#include "view/drawing/DocumentScene.h"
#include "view/drawing/EscapeReference.h"
#include "view/zoom/DragReplay.h"

namespace morvale {
namespace {

// Series number to the command of its toolbar button.
constexpr UINT kSeriesCommands[7] = {ID_SERIES_DARKGREEN, ID_SERIES_DARKRED, ID_SERIES_DARKBLUE,
                                     ID_SERIES_GREEN,     ID_SERIES_RED,     ID_SERIES_BLUE,
                                     ID_SERIES_ALL};

}  // namespace

// The view of a window that is never shown: invalidating marks a paint as due.
class HeadlessWindow::BatchView : public CFractalView {
public:
    BatchView(CMorvale1Doc* doc, PixelImage& image, PictureSize screen)
        : CFractalView(doc), image_(image), screen_(screen) {}
    bool TakeDue() {
        const bool due = due_;
        due_ = false;
        return due;
    }

protected:
    void Invalidate() override { due_ = true; }
    std::unique_ptr<CDC> GetClientDC() override {
        return std::make_unique<CDC>(image_.Surface(), screen_.width, screen_.height);
    }

private:
    PixelImage& image_;
    PictureSize screen_;
    bool due_ = false;
};

// The database dialog as a user closes it with OK after choosing a row.
class HeadlessWindow::OkDialogs : public IPresetDialogs {
public:
    PresetDialogOutcome RunJuliaDialog(const std::vector<std::string>&) override { return Ok(); }
    PresetDialogOutcome RunMandelDialog(const std::vector<std::string>&) override { return Ok(); }
    std::vector<std::string> texts;

private:
    PresetDialogOutcome Ok() const { return {IDOK, true, texts}; }
};

HeadlessWindow::HeadlessWindow(PictureSize screen, PictureSize window, Painter painter)
    : screen_(screen),
      window_(window),
      painter_(painter),
      image_(window.width, painter == Painter::Deferred ? 0 : window.height, kBackground),
      viewImpl_(std::make_unique<BatchView>(&doc_, image_, screen)),
      view_(*viewImpl_),
      dialogs_(std::make_unique<OkDialogs>()) {}

HeadlessWindow::~HeadlessWindow() = default;

void HeadlessWindow::ChooseKind(Fractal kind) {
    doc_.ExecuteCommand(kind == Fractal::Julia ? ID_JULIA : ID_MANDELBROT);
}

void HeadlessWindow::TakeTexts(const std::vector<std::string>& texts) {
    dialogs_->texts = texts;
    doc_.SetPresetDialogs(dialogs_.get());
    doc_.ExecuteCommand(ID_DATABASE);
    doc_.SetPresetDialogs(nullptr);
}

void HeadlessWindow::TypeDepth(int depth) {
    doc_.SetDepth(depth, 1);
}

void HeadlessWindow::ChooseSeries(int series) {
    if (series >= kFirstSeries && series <= kLastSeries)
        view_.ExecuteCommand(kSeriesCommands[series - 1]);
    PaintIfDue();
}

void HeadlessWindow::PressDraw() {
    view_.ExecuteCommand(ID_DRAW);
    PaintIfDue();
}

void HeadlessWindow::Drag(CPoint from, CPoint to) {
    ReplayDrag(view_, from, to);
    // A stated rectangle is a zoom however small; only the mouse's click makes none.
    doc_.SetZoom(from.x, from.y, to.x, to.y, 1);
    PressDraw();
}

void HeadlessWindow::PressTreeCommand(UINT id) {
    view_.ExecuteCommand(id);
    PaintIfDue();
}

void HeadlessWindow::Repaint() {
    Paint();
}

void HeadlessWindow::PaintIfDue() {
    if (viewImpl_->TakeDue()) Paint();
}

void HeadlessWindow::Paint() {
    const auto start = std::chrono::steady_clock::now();
    std::fill_n(image_.Surface().bits, std::size_t(image_.Width()) * image_.Height(), kBackground);
    CDC dc(image_.Surface(), screen_.width, screen_.height);
    if (painter_ != Painter::Reference) {
        view_.OnDraw(&dc);
    } else {
        // OnDraw with the plain loop in place of the renderer.
        view_.PictureWidth = dc.GetDeviceCaps(HORZRES);
        view_.PictureHeight = dc.GetDeviceCaps(VERTRES);
        doc_.SetPictureSize(view_.PictureWidth, view_.PictureHeight);
        if (view_.ViewMode == Drawing::EscapeTime) DrawEscapeTimeReference(view_, &dc);
    }
    if (view_.ViewMode == Drawing::EscapeTime) view_.RecordView(doc_.CurrentView());
    lastPaintSeconds_ =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

EscapeBands HeadlessWindow::Bands() const {
    const PixelSurface area{nullptr, window_.width, window_.height, 0};
    const std::optional<EscapeScene> chosen = DocumentScene(doc_, area);
    EscapeScene scene = chosen.value_or(EscapeScene{});
    if (!chosen || view_.ViewMode != Drawing::EscapeTime) scene.rows = 0;
    // The palette every paint realises before it draws.
    CPalette palette;
    palette.CreatePalette(MakeFractalPalette());
    CDC dc({}, screen_.width, screen_.height);
    dc.SelectPalette(&palette, false);
    dc.RealizePalette();
    return EscapeBands(scene, ColouringFromDevice(dc, view_.ColourSeries), window_.width,
                       window_.height, kBackground);
}

}  // namespace morvale
