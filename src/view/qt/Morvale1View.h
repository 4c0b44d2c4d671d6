// The window's view: a widget that keeps the last drawing in an off-screen image, draws anew
// only when a drawing is due (invalidated, resized, first shown) and prints through OnDraw.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "view/FractalView.h"

namespace morvale {

class PrintSupport;

class CMorvale1View : public QWidget, public CFractalView {
public:
    CMorvale1View(CMorvale1Doc* document, QWidget* parent = nullptr);

    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void SetPrintSupport(PrintSupport* printing) { printing_ = printing; }

    // Print commands: with the print dialog, straight to the printer, and the page preview.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

    // Draws a page for the printer: OnDraw on a device the size of the page.
    void DrawPage(CDC& dc);

    // What the screen shows (without overlays) and how many drawings ran into it.
    const QImage& Picture() const { return image_; }
    int DrawingCount() const { return drawings_; }
    bool IsDrawingDue() const { return drawingDue_; }
    bool IsPainting() const { return painting_; }
    // The colour the background is erased to before each drawing.
    QColor BackgroundColour() const;
    // The device size on the screen: the whole screen's pixels.
    QSize DeviceSize() const;

    // Platform hooks.
    void Invalidate() override;
    std::unique_ptr<CDC> GetClientDC() override;
    void SetCapture() override { captured_ = true; }
    bool HasCapture() const override { return captured_; }
    void ReleaseCapture() override { captured_ = false; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void EnsureImage();
    void DrawIntoImage();
    PixelSurface ImageSurface();

    QImage image_;
    PrintSupport* printing_ = nullptr;
    bool drawingDue_ = true;
    bool painting_ = false;
    bool captured_ = false;
    int drawings_ = 0;
};

}  // namespace morvale
