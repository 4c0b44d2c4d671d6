#include "doc/Morvale1Doc.h"

#include <array>
#include <climits>
#include <cmath>

#include "doc/ColourSeries.h"
#include "doc/PresetDialogs.h"
#include "platform/TextConversion.h"

namespace morvale {
namespace {

constexpr CommandEntry<CMorvale1Doc> kCommands[] = {
    {ID_JULIA, &CMorvale1Doc::OnJulia, &CMorvale1Doc::OnUpdateJulia},
    {ID_MANDELBROT, &CMorvale1Doc::OnMandelbrot, &CMorvale1Doc::OnUpdateMandelbrot},
    {ID_DATABASE, &CMorvale1Doc::OnDatabase},
};

// Truncation toward zero that stays defined for values no int can hold.
int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return int(value);
}

double Step(double min, double max, int pixels) {
    // A surface without pixels has no step; 0 keeps every derived value finite.
    return pixels > 0 ? (max - min) / pixels : 0.0;
}

struct PaneLayout {
    int width;
    const char* julia;
    const char* mandel;
};

// Panes 2 to 8 as the database command writes them; a null label means the pane shows one blank.
constexpr PaneLayout kDatabasePanes[7] = {
    {60, "XMIN: ", "PMIN: "}, {60, "XMAX: ", "PMAX: "}, {60, "YMIN: ", "QMIN: "},
    {60, "YMAX: ", "QMAX: "}, {40, "P: ", "Tiefe: "},   {40, "Q: ", nullptr},
    {50, "Tiefe: ", nullptr},
};

}  // namespace

CMorvale1Doc::CMorvale1Doc() = default;

bool CMorvale1Doc::OnNewDocument() {
    return CDocument::OnNewDocument();
}

void CMorvale1Doc::Serialize(CArchive&) {}

bool CMorvale1Doc::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kCommands, id);
}

bool CMorvale1Doc::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kCommands, ui);
}

void CMorvale1Doc::OnJulia() {
    FractalKind = kKindJulia;
    Drawn = 0;
    if (frame_) frame_->SetWindowText("Julia - Morval");
}

void CMorvale1Doc::OnMandelbrot() {
    FractalKind = kKindMandelbrot;
    Drawn = 0;
    if (frame_) frame_->SetWindowText("Mandelbrot - Morval");
}

void CMorvale1Doc::OnUpdateJulia(CCmdUI* ui) {
    ui->SetCheck(FractalKind == kKindJulia);
}

void CMorvale1Doc::OnUpdateMandelbrot(CCmdUI* ui) {
    ui->SetCheck(FractalKind == kKindMandelbrot);
}

void CMorvale1Doc::OnDatabase() {
    std::array<std::string, 7> paneTexts;
    auto takeBack = [this](const PresetDialogOutcome& outcome, std::span<std::string> texts) {
        if (outcome.code != IDOK) return;
        for (std::size_t c = 0; c < texts.size() && c < outcome.result.size(); ++c)
            texts[c] = outcome.result[c];
        DepthText = texts.back();
        if (frame_) frame_->SetDepthBoxText(DepthText);
        PresetChosen = outcome.chosen ? 1 : 0;
    };
    if (FractalKind == kKindJulia) {
        if (dialogs_)
            takeBack(dialogs_->RunJuliaDialog({JuliaTexts.begin(), JuliaTexts.end()}), JuliaTexts);
        for (std::size_t i = 0; i < 7; ++i) paneTexts[i] = kDatabasePanes[i].julia + JuliaTexts[i];
    } else if (FractalKind == kKindMandelbrot) {
        if (dialogs_)
            takeBack(dialogs_->RunMandelDialog({MandelTexts.begin(), MandelTexts.end()}),
                     MandelTexts);
        for (std::size_t i = 0; i < 7; ++i) {
            const char* label = kDatabasePanes[i].mandel;
            paneTexts[i] = label ? label + MandelTexts[i] : std::string(" ");
        }
    }
    ShowDatabasePanes(paneTexts);
}

void CMorvale1Doc::ShowDatabasePanes(const std::array<std::string, 7>& paneTexts) {
    if (!frame_) return;
    frame_->SetPaneInfo(0, 0, SBPS_NORMAL, 100);
    for (int i = 0; i < 7; ++i) {
        frame_->SetPaneInfo(i + 2, 0, SBPS_NORMAL, kDatabasePanes[i].width);
        frame_->SetPaneText(i + 2, paneTexts[std::size_t(i)], true);
    }
}

void CMorvale1Doc::SetDepth(int depth, int fromBox) {
    Depth = depth;
    DepthFromBox = fromBox;
}

void CMorvale1Doc::SetZoom(int startX, int startY, int endX, int endY, int flag) {
    ZoomStart = {startX, startY};
    ZoomEnd = {endX, endY};
    ZoomPending = flag;
}

void CMorvale1Doc::SetPictureSize(int width, int height) {
    PictureWidth = width;
    PictureHeight = height;
}

void CMorvale1Doc::BuildPalette(CDC* dc) {
    record_ = MakeFractalPalette();
    LogPalette = &record_;
    Palette.DeleteObject();
    Palette.CreatePalette(record_);
    OldPalette = dc->SelectPalette(&Palette, false);
    dc->RealizePalette();
}

void CMorvale1Doc::FinishDrawing(CDC* dc) {
    dc->SelectPalette(OldPalette, false);
    Palette.DeleteObject();
    dc->RealizePalette();
    DepthFromBox = 0;
    PresetChosen = 0;
    ZoomPending = 0;
}

void CMorvale1Doc::PrepareDrawing(CDC* dc) {
    BuildPalette(dc);
    if (FractalKind == kKindJulia && ZoomPending == 0) {
        ConvertTexts(JuliaTexts, JuliaValues);
        JuliaXMin = JuliaValues[0];
        JuliaXMax = JuliaValues[1];
        JuliaYMin = JuliaValues[2];
        JuliaYMax = JuliaValues[3];
        JuliaP = JuliaValues[4];
        JuliaQ = JuliaValues[5];
    } else if (FractalKind == kKindMandelbrot && ZoomPending == 0) {
        ConvertTexts(MandelTexts, MandelValues);
        MandelPMin = MandelValues[0];
        MandelPMax = MandelValues[1];
        MandelQMin = MandelValues[2];
        MandelQMax = MandelValues[3];
    } else if (ZoomPending == 1) {
        ApplyZoom();
    }
    ComputeSteps();
    ChooseIterationLimit();
}

void CMorvale1Doc::ConvertTexts(std::span<const std::string> texts, std::span<double> values) {
    for (std::size_t i = 0; i < texts.size(); ++i) values[i] = Atof(texts[i]);
}

void CMorvale1Doc::ApplyZoom() {
    // Corners in client pixels; rows gain the hidden sample rows above the client area.
    const double sx = ZoomStart.x, ex = ZoomEnd.x;
    const double sy = double(ZoomStart.y) + kHiddenRows, ey = double(ZoomEnd.y) + kHiddenRows;
    // Zooms one kind's region: all four bounds from the old entries 0 and 2, then written back.
    auto zoom = [&](std::span<double> values, double stepX, double stepY, double* minX,
                    double* maxX, double* minY, double* maxY, std::size_t limitSlot) {
        const double x0 = values[0], y0 = values[2];
        *minX = sx * stepX + x0;
        *maxX = ex * stepX + x0;
        *minY = sy * stepY + y0;
        *maxY = ey * stepY + y0;
        values[0] = *minX;
        values[1] = *maxX;
        values[2] = *minY;
        values[3] = *maxY;
        values[limitSlot] = IterationLimit;
    };
    zoom(JuliaValues, JuliaStepX, JuliaStepY, &JuliaXMin, &JuliaXMax, &JuliaYMin, &JuliaYMax, 6);
    zoom(MandelValues, MandelStepX, MandelStepY, &MandelPMin, &MandelPMax, &MandelQMin, &MandelQMax,
         4);
}

void CMorvale1Doc::ComputeSteps() {
    JuliaStepX = Step(JuliaXMin, JuliaXMax, PictureWidth);
    JuliaStepY = Step(JuliaYMin, JuliaYMax, PictureHeight);
    MandelStepX = Step(MandelPMin, MandelPMax, PictureWidth);
    MandelStepY = Step(MandelQMin, MandelQMax, PictureHeight);
}

void CMorvale1Doc::ChooseIterationLimit() {
    if (DepthFromBox == 1) {
        IterationLimit = Depth;
    } else if (PresetChosen == 1) {
        if (FractalKind == kKindJulia) IterationLimit = TruncateToInt(JuliaValues[6]);
        if (FractalKind == kKindMandelbrot) IterationLimit = TruncateToInt(MandelValues[4]);
    }
}

}  // namespace morvale
