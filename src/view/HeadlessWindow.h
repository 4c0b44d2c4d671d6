// A window without a screen: the user actions of one picture (kind command, preset taken in the
// database dialog, depth box, colour series, draw command, paints and zoom drags, all through the
// real document and view, into a client area of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "doc/ColourSeries.h"
#include "doc/Morvale1Doc.h"
#include "doc/PresetDialogs.h"
#include "platform/PictureSize.h"
#include "platform/PixelSurface.h"
#include "render/EscapeBands.h"
#include "view/FractalView.h"

namespace morvale {

// The colour the view's background is erased to before a drawing (button face).
inline constexpr Pixel kBackground = PixelFromRgb(240, 240, 240);

// How paints draw the escape-time picture: the production renderer, the plain loop, or not at
// all: Deferred paints run the document and view over a client area without rows, and Bands()
// computes what the last paint would have drawn, a band at a time.
enum class Painter { Production, Reference, Deferred };

class HeadlessWindow {
public:
    // screen: the device size the picture is computed for; window: the visible client area.
    HeadlessWindow(PictureSize screen, PictureSize window, Painter painter = Painter::Production);
    ~HeadlessWindow();

    void ChooseKind(Fractal kind);  // the Julia or Mandelbrot command
    // The database dialog of the current kind closed with OK on these texts.
    void TakeTexts(const std::vector<std::string>& texts);
    void TypeDepth(int depth);  // typed into the depth box
    void ChooseSeries(int series);
    void PressDraw();                   // the draw command and the paint it causes
    void Drag(CPoint from, CPoint to);  // a zoom drag in client pixels, then a new drawing
    void PressTreeCommand(UINT id);     // a tree-toolbar button and the paint it causes
    void Repaint();                     // one more paint, as when the window is drawn again

    const PixelImage& Image() const { return image_; }
    // The escape-time picture of the last paint over the whole client area (Deferred painter).
    EscapeBands Bands() const;
    CMorvale1Doc& Document() { return doc_; }
    CFractalView& View() { return view_; }
    // Seconds the last paint took.
    double LastPaintSeconds() const { return lastPaintSeconds_; }

private:
    class BatchView;
    class OkDialogs;
    void PaintIfDue();
    void Paint();

    PictureSize screen_;
    PictureSize window_;
    Painter painter_;
    PixelImage image_;
    CMorvale1Doc doc_;
    std::unique_ptr<BatchView> viewImpl_;
    CFractalView& view_;
    std::unique_ptr<OkDialogs> dialogs_;
    double lastPaintSeconds_ = 0.0;
};

}  // namespace morvale
