// The fractal document: parameter texts, working regions, steps, iteration limit and requests.
#pragma once

#include <array>
#include <span>
#include <string>

#include "platform/CDC.h"
#include "platform/Document.h"
#include "platform/MainFrameLink.h"
#include "platform/Palette.h"

namespace morvale {

class IPresetDialogs;

inline constexpr int kKindJulia = 1;
inline constexpr int kKindMandelbrot = 2;
inline constexpr int kKindNone = 3;
inline constexpr int kHiddenRows = 50;  // sample row r is shown at client row r - 50

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

    void SetDepth(int depth, int fromBox);
    void SetZoom(int startX, int startY, int endX, int endY, int flag);
    void SetPictureSize(int width, int height);

    void PrepareDrawing(CDC* dc);
    void BuildPalette(CDC* dc);
    // Undoes BuildPalette and clears the one-shot flags: the end of every escape-time drawing.
    void FinishDrawing(CDC* dc);

    CPalette* OldPalette = nullptr;
    CPalette Palette;
    LOGPALETTE* LogPalette = nullptr;
    std::array<std::string, 7> JuliaTexts;   // XMIN, XMAX, YMIN, YMAX, P, Q, depth
    std::array<std::string, 5> MandelTexts;  // PMIN, PMAX, QMIN, QMAX, depth
    std::array<double, 7> JuliaValues{};
    std::array<double, 5> MandelValues{};
    double MandelStepX = 0.0;  // plane units per pixel column
    double MandelStepY = 0.0;  // plane units per pixel row
    double JuliaStepX = 0.0;
    double JuliaStepY = 0.0;
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
    int IterationLimit = 15;
    int Drawn = 0;
    int PictureHeight = 0;  // device pixels
    int PictureWidth = 0;
    int ZoomPending = 0;
    CPoint ZoomEnd;    // client pixels
    CPoint ZoomStart;  // client pixels
    int PresetChosen = 0;
    std::string DepthText;
    int DepthFromBox = 0;
    int FractalKind = kKindNone;
    int Depth = 15;

private:
    void ConvertTexts(std::span<const std::string> texts, std::span<double> values);
    void ApplyZoom();
    void ComputeSteps();
    void ChooseIterationLimit();
    void ShowDatabasePanes(const std::array<std::string, 7>& paneTexts);

    IMainFrame* frame_ = nullptr;
    IPresetDialogs* dialogs_ = nullptr;
    LOGPALETTE record_;
};

}  // namespace morvale
