// The fractal document: parameter texts, working regions, steps, iteration limit and requests.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "doc/EscapeScene.h"
#include "doc/PresetDialogs.h"
#include "plane/DeepRegion.h"
#include "plane/PlaneRegion.h"
#include "plane/PlaneView.h"
#include "plane/ZoomRect.h"
#include "platform/CDC.h"
#include "platform/Document.h"
#include "platform/MainFrameLink.h"
#include "platform/Palette.h"

namespace morvale {

// The kind of fractal the document draws; the numbers are the ones FractalKind is specified with.
enum class Fractal { Julia = 1, Mandelbrot = 2, None = 3 };

class CMorvale1Doc : public CDocument {
public:
    CMorvale1Doc();

    // Links to the window; either may be absent (command-line renderer, tests).
    void SetMainFrame(IMainFrame* frame) { frame_ = frame; }
    IMainFrame* GetMainFrame() const { return frame_; }
    void SetPresetDialogs(IPresetDialogs* dialogs) { dialogs_ = dialogs; }

    bool OnNewDocument() override;
    void Serialize(CArchive& ar) override;
    bool ExecuteCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;

    void OnJulia();
    void OnMandelbrot();
    void OnUpdateJulia(CCmdUI* ui);
    void OnUpdateMandelbrot(CCmdUI* ui);
    void OnDatabase();
    // A kept view taken as the database dialog's OK takes a preset row (texts in column order).
    void TakeView(Fractal kind, const std::vector<std::string>& texts);

    // The view's draw command was given.
    void MarkDrawn();
    void SetDepth(int depth, int fromBox);
    void SetZoom(int startX, int startY, int endX, int endY, int flag);
    // A zoom whose corners may fall between pixels (wheel, pan); ZoomStart and ZoomEnd get
    // them rounded.
    void SetZoom(const ZoomRect& corners, int flag);
    // Draws `view` again at the next drawing: its kind is chosen now, its region, constant and
    // iteration limit replace the texts and any pending zoom.
    void ShowView(const PlaneView& view);
    // Julia with the constant p + qi over the first Julia preset's region, taken as a preset is.
    void ChooseJuliaAt(double p, double q);
    void SetPictureSize(int width, int height);
    // Applies a zoom request that no drawing has shown to the regions now, in full precision, so
    // that the next request is made on the region it selected (a navigation that goes on from
    // an unfinished one).
    void SettleZoom();

    void PrepareDrawing(CDC* dc);
    void BuildPalette(CDC* dc);
    // Undoes BuildPalette and ends the one-shot requests: the end of every escape-time drawing.
    void FinishDrawing(CDC* dc);

    // A drawing prepared on a copy of the document (off the window's thread): it takes the
    // one-shot requests when it starts, gives them back if it is abandoned before anything
    // showed, and hands its geometry over once its rows show.
    struct Requests {
        int zoom = 0;
        int preset = 0;
        int depthFromBox = 0;
        int view = 0;
    };
    Requests TakeRequests();
    // A request made anew since it was taken is the newer one and stays.
    void GiveBackRequests(const Requests& taken);
    // Regions, steps, iteration limit and device size of the prepared copy.
    void AdoptGeometry(const CMorvale1Doc& prepared);

    // The working regions as the value arrays hold them.
    JuliaRegion GetJuliaRegion() const { return JuliaRegion::FromValues(JuliaValues); }
    MandelRegion GetMandelRegion() const { return MandelRegion::FromValues(MandelValues); }
    // The chosen kind's region; none before a kind is chosen.
    std::optional<PlaneBox> ChosenBox() const;
    // The view the prepared values draw; none before a kind is chosen.
    std::optional<PlaneView> CurrentView() const;

    CPalette* OldPalette = nullptr;
    CPalette Palette;
    LOGPALETTE* LogPalette = nullptr;
    std::array<std::string, 7> JuliaTexts;   // XMIN, XMAX, YMIN, YMAX, P, Q, depth
    std::array<std::string, 5> MandelTexts;  // PMIN, PMAX, QMIN, QMAX, depth

    // Each kind's working region twice: as its value array (the texts as numbers, the region
    // after a zoom) and as named fields. SetJuliaRegion and SetMandelRegion are their only
    // writers and keep both equal.
    std::array<double, 7> JuliaValues{};
    std::array<double, 5> MandelValues{};
    double JuliaXMin = 0.0;
    double JuliaXMax = 0.0;
    double JuliaYMin = 0.0;
    double JuliaYMax = 0.0;
    double JuliaP = 0.0;
    double JuliaQ = 0.0;
    double MandelPMin = 0.0;
    double MandelPMax = 0.0;
    double MandelQMin = 0.0;
    double MandelQMax = 0.0;

    // Beside the doubles, each kind's region at full precision (Julia with its constant), read
    // from the texts or zoomed alongside the doubles; and whether the steps last computed for
    // each need the deep path. DeepZoom off keeps every picture on the double path.
    DeepRegion JuliaDeep{true};
    DeepRegion MandelDeep{false};
    bool JuliaIsDeep = false;
    bool MandelIsDeep = false;
    bool DeepZoom = true;

    double MandelStepX = 0.0;  // plane units per pixel column
    double MandelStepY = 0.0;  // plane units per pixel row
    double JuliaStepX = 0.0;
    double JuliaStepY = 0.0;
    int IterationLimit = 15;
    int PictureHeight = 0;  // device pixels
    int PictureWidth = 0;
    CPoint ZoomEnd;         // client pixels
    CPoint ZoomStart;       // client pixels
    ZoomRect ZoomCorners;   // what the pending zoom applies: ZoomStart and ZoomEnd, or finer
    PlaneView PendingView;  // what ViewPending draws
    std::string DepthText;
    Fractal FractalKind = Fractal::None;
    int Depth = 15;

    // One-shot requests, 0 or 1: set by the event that makes a request, cleared by the one that
    // consumes it, written nowhere else.
    //   DepthFromBox  set by SetDepth (depth box entry)     cleared by FinishDrawing
    //   PresetChosen  set by OnDatabase (OK; 1 if a row)    cleared by FinishDrawing
    //   ZoomPending   set by SetZoom (button released)      cleared by FinishDrawing
    //   ViewPending   set by ShowView (back, forward)        cleared by FinishDrawing
    //   Drawn         set by MarkDrawn (draw command)       cleared by ChooseKind (kind commands)
    // FinishDrawing ends every escape-time drawing, whatever it drew. PrepareDrawing reads the
    // first four: ViewPending draws PendingView, region and limit, instead of everything else;
    // else ZoomPending applies the zoom instead of the texts; DepthFromBox, else PresetChosen,
    // chooses the iteration limit. The pointer readout shows coordinates only
    // while Drawn is 1. A drawing off the window's thread takes the first four through
    // TakeRequests when it starts and returns them through GiveBackRequests if it is stopped
    // before any row showed.
    int DepthFromBox = 0;
    int PresetChosen = 0;
    int ZoomPending = 0;
    int ViewPending = 0;
    int Drawn = 0;

private:
    void ChooseKind(Fractal kind, const char* title);
    void SetJuliaRegion(const JuliaRegion& region);
    void SetMandelRegion(const MandelRegion& region);
    void ApplyZoom();
    DeepRegion ZoomedDeep(const DeepRegion& deep) const;
    void ComputeSteps();
    void ChooseIterationLimit();
    void ApplyView();
    void TakeDialogOutcome(const PresetDialogOutcome& outcome);
    void ShowDatabasePanes();

    IMainFrame* frame_ = nullptr;
    IPresetDialogs* dialogs_ = nullptr;
    LOGPALETTE record_;
    int stepsWidth_ = 0;  // the device the steps were last computed for
    int stepsHeight_ = 0;
};

}  // namespace morvale
