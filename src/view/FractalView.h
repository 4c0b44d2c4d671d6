// The toolkit-free half of the view: its fields, paint dispatch, commands, mouse handling and
// the two drawings. The window's view derives from it and supplies the platform hooks.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "plane/PlaneView.h"
#include "plane/ZoomRect.h"
#include "platform/CDC.h"
#include "platform/CommandTarget.h"
#include "platform/MainFrameLink.h"
#include "render/escape/EscapeTally.h"
#include "view/PaneWriter.h"
#include "view/navigate/Navigation.h"
#include "view/navigate/ViewHistory.h"
#include "view/tree/TreeRandom.h"

namespace morvale {

class CMorvale1Doc;
struct ViewRecord;
struct EscapeScene;
struct EscapeColouring;
struct TreePlan;

// What the view draws at a paint; the numbers are the ones ViewMode is specified with.
enum class Drawing { Nothing = 0, EscapeTime = 1, Tree = 2 };

class CFractalView : public CCmdTarget {
public:
    explicit CFractalView(CMorvale1Doc* document);
    ~CFractalView() override;

    CMorvale1Doc* GetDocument() const { return document_; }
    void SetMainFrame(IMainFrame* frame) { frame_ = frame; }
    IMainFrame* GetMainFrame() const { return frame_; }

    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;

    // Paint: records the device size, hands it to the document and draws by ViewMode.
    void OnDraw(CDC* dc);
    void DrawEscapeTime(CDC* dc);
    void DrawTree(CDC* dc, int segments, int x, int y);
    // The paint of a tree drawn elsewhere (TreeJob): records the device, writes the panes and
    // plans the tree. The view's generator and pen move on at once as if the whole tree were
    // drawn, so a tree stopped early leaves the following trees as they would have been.
    TreePlan StartTree(CDC* dc);

    // Draw and colour-series commands; the series is 1 to 7.
    void OnDrawCommand();
    void OnSeries(int series);
    void OnUpdateSeries(CCmdUI* ui, int series);

    // Tree toolbar commands.
    void OnTreeMode();
    void OnTreeReset();
    void OnBranchesMore();
    void OnBranchesFewer();
    void OnSegmentsMore();
    void OnSegmentsFewer();
    void OnRadMore();
    void OnRadLess();
    void OnDtMore();
    void OnDtLess();
    void OnTreeColour();
    void OnReduxMore();
    void OnReduxLess();
    void OnUpdateTreeColour(CCmdUI* ui);

    // Mouse: zoom selection and pointer readout (client coordinates). The handlers take the key
    // flags of their message but never look at them.
    static constexpr UINT kNoKeyFlags = 0;
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void DrawDragFrame(CDC* dc);
    // The red frame left on the picture at release (ZoomFrame), in normal copying mode.
    void DrawZoomFrame(CDC* dc);

    // Navigation (view/navigate/): an escape-time picture of a chosen kind is on the screen, so
    // the wheel and pan act on it.
    bool CanNavigate() const;
    // The device the picture on the screen was computed for.
    DeviceExtent PictureExtent() const;
    // Zooms or pans the picture on the screen: the zoom request, and a drawing at once. goesOn:
    // the step was made on the preview of the last navigation, whose drawing showed nothing; that
    // request is applied first, in full precision, and the step made on its region.
    void NavigateBy(const ZoomRect& zoom, bool goesOn = false);
    // A back or forward step whose drawing showed nothing is dropped, and the history stays where
    // the picture on the screen is: the next step is made on what the window shows.
    void DropHistoryRequest();
    void OnViewBack();
    void OnViewForward();
    void OnUpdateViewBack(CCmdUI* ui);
    void OnUpdateViewForward(CCmdUI* ui);
    // A Mandelbrot picture is on the screen: a Julia set can be taken at one of its points.
    bool CanChooseJuliaAt() const;
    // Julia at the plane point the readout shows for MenuPoint, drawn at once.
    void OnJuliaAtPoint();
    void OnUpdateJuliaAtPoint(CCmdUI* ui);
    // A picture of `view` shows on the screen: the history keeps it.
    void RecordView(const std::optional<PlaneView>& view);
    ViewHistory History;
    int historyStep_ = 0;  // back (< 0) or forward steps whose picture has yet to show
    CPoint MenuPoint;      // client pixel of the picture menu's click

    // Drawing state of both picture modes, the zoom drag and the tree parameters.
    std::string BranchText;
    int Redux = 3;
    int TreeColour = 1;
    double TurnAngle = 0.1;      // radians per segment
    double SegmentLength = 3.0;  // pixels
    int Segments = 60;
    int SegmentOffset = 0;
    int Branches = 7;
    CPen* OldPen = nullptr;
    COLORREF PenColour = 0;
    int PictureHeight = 0;  // device pixels of the last paint
    int PictureWidth = 0;
    CRect ZoomFrame;
    int CaptureMouse = 1;
    int Dragging = 0;
    CPoint DragCurrent;  // client pixels
    CPoint DragAnchor;
    CPoint ZoomFrom;
    CPoint ZoomTo;
    int ZoomRequest = 0;  // set at a release that ends a drag, never cleared
    int ColourIndex = 0;
    int HomeX = 320;
    int HomeY = 240;
    int TurnRange = 100;
    int TurnThreshold = 30;
    int MinSegments = 1;
    int RootX = 320;
    int RootY = 240;
    Drawing ViewMode = Drawing::Nothing;
    int PixelRow = 0;
    int PixelColumn = 0;
    int ColourSeries = 7;

    // What the last escape-time drawing computed (statistics of the command-line renderer).
    EscapeTally LastEscapeTally;
    // The prompt pane's word on the picture on the screen (BlackPictureHint), until the next
    // drawing starts.
    std::string PictureHint;

    // The view of the escape-time picture on the screen, from when its first rows show; null
    // before any.
    const ViewRecord* ShownView() const { return shownView_.get(); }
    void SetShownView(const ViewRecord& view);
    // Its drawing finished.
    void ShownViewComplete() { shownComplete_ = true; }
    // The picture on the screen is the shown view's whole drawing, with no red frame drawn on it
    // since: it can be kept as it is, without computing it again.
    bool ShownViewUntouched() const {
        return shownView_ && shownComplete_ && shownFrames_ == zoomFramesDrawn_;
    }

    // The pixel of the drawn picture (the document's region) that the screen shows at a client
    // pixel: the same one, unless a preview shows that picture moved or scaled.
    virtual CPoint DrawnPixelAt(CPoint client) const { return client; }

protected:
    // Platform hooks. Invalidate: the whole view is to be drawn again on a cleared background.
    virtual void Invalidate() {}
    // A device context on the client area outside painting (null where there is none).
    virtual std::unique_ptr<CDC> GetClientDC() { return nullptr; }
    virtual void SetCapture() {}
    virtual bool HasCapture() const { return false; }
    virtual void ReleaseCapture() {}
    // The inverting drag frame: by default inverted straight into the client area; a window that
    // paints it as an overlay shows it from Dragging, DragAnchor and DragCurrent instead.
    virtual void MoveDragFrame(CPoint to);
    virtual void EraseDragFrame(CDC* dc);
    // Device pixels per logical pixel, rounded: the width of both zoom frames.
    virtual int FrameWidth() const { return 1; }
    // Computes DrawEscapeTime's picture; false when the computation was cancelled.
    virtual bool ComputeEscapeTime(const EscapeScene& scene, const EscapeColouring& colours,
                                   const PixelSurface& surface);

    // Device pixels per unit of the tree's geometry (the screen's pixel ratio on the screen).
    double treeScale_ = 1.0;

private:
    void TreeChanged();
    void RecordDevice(CDC* dc);
    std::array<PaneSetting, 5> TreePanes();
    TreePlan PlanTree(int segments, int x, int y) const;

    CMorvale1Doc* document_;
    IMainFrame* frame_ = nullptr;
    TreeRandom treeRandom_;  // continues from paint to paint: each paint draws the next tree
    PaneWriter treePanes_;
    std::unique_ptr<ViewRecord> shownView_;
    bool shownComplete_ = false;
    int shownFrames_ = 0;
    int zoomFramesDrawn_ = 0;
};

}  // namespace morvale
