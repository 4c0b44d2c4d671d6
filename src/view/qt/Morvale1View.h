// The window's view: a widget that keeps the last drawing in an off-screen image of physical
// pixels, draws anew only when a drawing is due (invalidated, resized, first shown) and prints
// through OnDraw. Escape-time pictures are computed off the window's thread (docs/drawing.md).
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>

#include "doc/Morvale1Doc.h"
#include "keep/ViewRecord.h"
#include "view/FractalView.h"
#include "view/navigate/Navigation.h"

class QMenu;

namespace morvale {

class PrintSupport;
class BackgroundDrawing;
class EscapeKey;
class TreeScreenDrawing;
class ViewNavigation;
class ViewPrinting;

class CMorvale1View : public QWidget, public CFractalView {
public:
    CMorvale1View(CMorvale1Doc* document, QWidget* parent = nullptr);
    ~CMorvale1View() override;

    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void SetPrintSupport(PrintSupport* printing);
    // The context menu of a Mandelbrot picture.
    void SetPictureMenu(QMenu* menu);

    // Draws a page for the printer: OnDraw on a device the size of the page. False when the
    // user cancelled it.
    bool DrawPage(CDC& dc);

    // What the screen shows (without overlays), in physical pixels, and how many drawings
    // finished in it.
    const QImage& Picture() const { return image_; }
    // The last escape-time picture that was drawn whole, with the view it shows and without any
    // frame or preview put over it since: what saving and copying write, so that they never wait
    // for a drawing and never pair pixels with a view they do not show.
    struct WholePicture {
        QImage image;
        ViewRecord view;
    };
    const std::optional<WholePicture>& LastWholePicture() const { return whole_; }
    int DrawingCount() const { return drawings_; }
    bool IsDrawingDue() const { return drawingDue_; }
    bool IsPainting() const { return painting_; }
    // An escape-time picture or a tree is being computed.
    bool IsDrawing() const { return drawing_ != nullptr || TreeRunning(); }
    // Rows the running drawing has finished, shown or not; 0 when none runs.
    int DrawingRowsDone() const;
    // Stops the running drawing (the Escape key): its finished rows stay.
    void CancelDrawing();
    // Stops whatever is computed: the picture, the tree or a printed page. False when nothing
    // was.
    bool StopComputing();
    // The colour the background is erased to before each drawing.
    QColor BackgroundColour() const;
    // The device size on the screen: the whole screen's physical pixels, as the platform has them.
    QSize DeviceSize() const;
    // The client area's physical pixels.
    QSize ClientSize() const;

    // Platform hooks.
    CPoint DrawnPixelAt(CPoint client) const override;
    void Invalidate() override;
    std::unique_ptr<CDC> GetClientDC() override;
    void SetCapture() override { captured_ = true; }
    bool HasCapture() const override { return captured_; }
    void ReleaseCapture() override { captured_ = false; }

protected:
    // One logical pixel: the frames stay as visible at 200 % as at 100 %.
    int FrameWidth() const override { return std::max(1, int(std::lround(devicePixelRatio()))); }
    void MoveDragFrame(CPoint to) override;
    void EraseDragFrame(CDC* dc) override;
    bool ComputeEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                           const PixelSurface& surface) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Zooms and pans show a preview in the image and start their drawing.
    friend class ViewNavigation;

    void EnsureImage();
    // waitInPlace: a drawing that ends soon shows with this paint, not the one after.
    void DrawIntoImage(bool waitInPlace = true);
    void PaintImage(const QRect& area);
    void StartDrawing(bool waitInPlace);
    void DrawingEnded();
    void RefuseDrawing(const std::string& why);
    void ShowProgress();
    void ShowFinishedRows();
    void RedrawZoomFrame();
    // Ends the running drawing; keepRows: its finished rows stay on the screen.
    void StopDrawing(bool keepRows);
    void ForgetDrawing(bool idleStatus);
    void ShowStatus(const QString& text);
    void ShowIdleStatus();
    void UpdatePhysical(const CRect& rect);
    CRect DragFrameBounds() const;
    // The tree, drawn by its own helper off the window's thread.
    void StartTree();
    bool TreeRunning() const;
    void StopTree(bool keep);

    QImage image_;
    QImage pending_;  // the running drawing computes into it
    std::unique_ptr<BackgroundDrawing> drawing_;
    std::optional<WholePicture> whole_;
    // Where a pixel of the preview on the screen lies in the drawn picture, until the drawing
    // that replaces it shows its first rows.
    std::optional<PixelMapping> previewMapping_;
    std::unique_ptr<ViewNavigation> navigation_;
    // The image shows what the next drawing will draw: paint it first, then start the drawing.
    bool previewShown_ = false;
    QElapsedTimer drawingClock_;
    QTimer progressTimer_;
    std::unique_ptr<EscapeKey> escapeKey_;
    std::unique_ptr<ViewPrinting> pages_;
    bool showingProgress_ = false;
    bool frameOverDrawing_ = false;  // a red frame was released while a drawing ran
    bool pictureShown_ = false;      // false: the image is only background, and the hint shows
    bool drawingDue_ = true;
    bool painting_ = false;
    bool captured_ = false;
    int drawings_ = 0;
    std::unique_ptr<TreeScreenDrawing> trees_;
};

}  // namespace morvale
