#include "doc/Morvale1Doc.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

#include "doc/ColourSeries.h"
#include "doc/PresetDialogs.h"
#include "plane/BigFloat.h"
#include "platform/TextConversion.h"
#include "presets/PresetTables.h"

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

template <std::size_t N>
std::array<double, N> Converted(const std::array<std::string, N>& texts) {
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = Atof(texts[i]);
    return values;
}

// The nearest int, saturated: a corner between pixels as the drag's fields hold one.
int RoundToInt(double value) {
    if (std::isnan(value)) return 0;
    return TruncateToInt(std::round(value));
}

void CopyBox(const PlaneBox& box, double& xMin, double& xMax, double& yMin, double& yMax) {
    xMin = box.xMin;
    xMax = box.xMax;
    yMin = box.yMin;
    yMax = box.yMax;
}

std::array<std::string, 6> DeepTexts(const std::array<std::string, 7>& julia) {
    return {julia[0], julia[1], julia[2], julia[3], julia[4], julia[5]};
}

std::array<std::string, 6> DeepTexts(const std::array<std::string, 5>& mandel) {
    return {mandel[0], mandel[1], mandel[2], mandel[3], "0", "0"};
}

struct PaneLayout {
    int width;
    const char* julia;
    const char* mandel;
};

// The parameter panes as the database command writes them; a null label shows one blank.
constexpr PaneLayout kDatabasePanes[7] = {
    {60, "XMIN: ", "PMIN: "}, {60, "XMAX: ", "PMAX: "}, {60, "YMIN: ", "QMIN: "},
    {60, "YMAX: ", "QMAX: "}, {40, "P: ", "Tiefe: "},   {40, "Q: ", nullptr},
    {50, "Tiefe: ", nullptr},
};

// A number is rounded to the digits its pane holds rather than cut at the pane's end, which
// would drop digits or the exponent unseen; the text as it stands when it fits.
std::optional<PaneFittingText> RoundedToFit(const std::string& label, const std::string& value) {
    constexpr int kFewest = 3, kMost = 40;
    constexpr long kBits = 160;  // more than kMost digits need
    const bool number = !value.empty() &&
                        std::string_view("+-.0123456789").find(value[0]) != std::string_view::npos;
    if (!number) return std::nullopt;
    return PaneFittingText{[label, value, n = BigFloat::Parse(value, kBits)](int digits) {
                               return label + (digits > kMost ? value : n.General(digits));
                           },
                           kFewest, kMost + 1};
}

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
    ChooseKind(Fractal::Julia, "Julia - Morval");
}

void CMorvale1Doc::OnMandelbrot() {
    ChooseKind(Fractal::Mandelbrot, "Mandelbrot - Morval");
}

void CMorvale1Doc::ChooseKind(Fractal kind, const char* title) {
    FractalKind = kind;
    Drawn = 0;
    if (frame_) frame_->SetWindowText(title);
}

void CMorvale1Doc::OnUpdateJulia(CCmdUI* ui) {
    ui->SetCheck(FractalKind == Fractal::Julia);
}

void CMorvale1Doc::OnUpdateMandelbrot(CCmdUI* ui) {
    ui->SetCheck(FractalKind == Fractal::Mandelbrot);
}

void CMorvale1Doc::OnDatabase() {
    if (FractalKind == Fractal::Julia && dialogs_)
        TakeDialogOutcome(dialogs_->RunJuliaDialog({JuliaTexts.begin(), JuliaTexts.end()}));
    else if (FractalKind == Fractal::Mandelbrot && dialogs_)
        TakeDialogOutcome(dialogs_->RunMandelDialog({MandelTexts.begin(), MandelTexts.end()}));
    ShowDatabasePanes();
}

void CMorvale1Doc::TakeView(Fractal kind, const std::vector<std::string>& texts) {
    if (kind == Fractal::Julia)
        OnJulia();
    else
        OnMandelbrot();
    // The view stands for itself: a zoom or a typed depth waiting from before would change it.
    ZoomPending = 0;
    DepthFromBox = 0;
    TakeDialogOutcome({IDOK, true, texts});
    ShowDatabasePanes();
}

void CMorvale1Doc::TakeDialogOutcome(const PresetDialogOutcome& outcome) {
    if (outcome.code != IDOK) return;
    const std::span<std::string> texts =
        FractalKind == Fractal::Julia ? std::span<std::string>(JuliaTexts) : MandelTexts;
    for (std::size_t c = 0; c < texts.size() && c < outcome.result.size(); ++c)
        texts[c] = outcome.result[c];
    DepthText = texts.back();
    if (frame_) frame_->SetDepthBoxText(DepthText);
    PresetChosen = outcome.chosen ? 1 : 0;
}

void CMorvale1Doc::ChooseJuliaAt(double p, double q) {
    OnJulia();
    std::vector<std::string> texts(JuliaPresets[0].begin(), JuliaPresets[0].end());
    texts[4] = ExactText(p);
    texts[5] = ExactText(q);
    TakeDialogOutcome({IDOK, true, texts});
    ShowDatabasePanes();
}

void CMorvale1Doc::ShowDatabasePanes() {
    if (!frame_) return;
    std::array<std::string, 7> labels, values;
    for (std::size_t i = 0; i < 7; ++i) {
        const char* label =
            FractalKind == Fractal::Julia ? kDatabasePanes[i].julia : kDatabasePanes[i].mandel;
        if (FractalKind == Fractal::Julia) {
            labels[i] = label;
            values[i] = JuliaTexts[i];
        } else if (FractalKind == Fractal::Mandelbrot) {
            labels[i] = label ? label : " ";
            values[i] = label ? MandelTexts[i] : std::string();
        }
    }
    frame_->SetPaneInfo(PaneIndex(Pane::Prompt), 0, SBPS_NORMAL, 100);
    for (int i = 0; i < 7; ++i) {
        const int index = PaneIndex(ParameterPane(i));
        const auto at = std::size_t(i);
        frame_->SetPaneInfo(index, 0, SBPS_NORMAL, kDatabasePanes[i].width);
        if (const auto fitting = RoundedToFit(labels[at], values[at]))
            frame_->SetPaneFittingText(index, *fitting);
        else
            frame_->SetPaneText(index, labels[at] + values[at], true);
    }
}

void CMorvale1Doc::MarkDrawn() {
    Drawn = 1;
}

void CMorvale1Doc::SetDepth(int depth, int fromBox) {
    Depth = depth;
    DepthFromBox = fromBox;
}

void CMorvale1Doc::SetZoom(int startX, int startY, int endX, int endY, int flag) {
    ZoomStart = {startX, startY};
    ZoomEnd = {endX, endY};
    ZoomCorners = {double(startX), double(startY), double(endX), double(endY)};
    ZoomPending = flag;
}

void CMorvale1Doc::SetZoom(const ZoomRect& corners, int flag) {
    ZoomStart = {RoundToInt(corners.x0), RoundToInt(corners.y0)};
    ZoomEnd = {RoundToInt(corners.x1), RoundToInt(corners.y1)};
    ZoomCorners = corners;
    ZoomPending = flag;
}

void CMorvale1Doc::ShowView(const PlaneView& view) {
    if (view.julia)
        OnJulia();
    else
        OnMandelbrot();
    PendingView = view;
    ViewPending = 1;
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
    ViewPending = 0;
}

CMorvale1Doc::Requests CMorvale1Doc::TakeRequests() {
    const Requests taken{ZoomPending, PresetChosen, DepthFromBox, ViewPending};
    ZoomPending = PresetChosen = DepthFromBox = ViewPending = 0;
    return taken;
}

void CMorvale1Doc::GiveBackRequests(const Requests& taken) {
    if (ZoomPending == 0) ZoomPending = taken.zoom;
    if (PresetChosen == 0) PresetChosen = taken.preset;
    if (DepthFromBox == 0) DepthFromBox = taken.depthFromBox;
    if (ViewPending == 0) ViewPending = taken.view;
}

void CMorvale1Doc::AdoptGeometry(const CMorvale1Doc& prepared) {
    SetJuliaRegion(prepared.GetJuliaRegion());
    SetMandelRegion(prepared.GetMandelRegion());
    JuliaStepX = prepared.JuliaStepX;
    JuliaStepY = prepared.JuliaStepY;
    MandelStepX = prepared.MandelStepX;
    MandelStepY = prepared.MandelStepY;
    JuliaDeep = prepared.JuliaDeep;
    MandelDeep = prepared.MandelDeep;
    JuliaIsDeep = prepared.JuliaIsDeep;
    MandelIsDeep = prepared.MandelIsDeep;
    stepsWidth_ = prepared.stepsWidth_;
    stepsHeight_ = prepared.stepsHeight_;
    IterationLimit = prepared.IterationLimit;
    SetPictureSize(prepared.PictureWidth, prepared.PictureHeight);
}

void CMorvale1Doc::PrepareDrawing(CDC* dc) {
    BuildPalette(dc);
    if (ViewPending == 1) {
        ApplyView();
        ComputeSteps();
        return;
    }
    if (FractalKind == Fractal::Julia && ZoomPending == 0) {
        SetJuliaRegion(JuliaRegion::FromValues(Converted(JuliaTexts)));
        JuliaDeep = DeepRegion::FromTexts(true, DeepTexts(JuliaTexts));
    } else if (FractalKind == Fractal::Mandelbrot && ZoomPending == 0) {
        SetMandelRegion(MandelRegion::FromValues(Converted(MandelTexts)));
        MandelDeep = DeepRegion::FromTexts(false, DeepTexts(MandelTexts));
    } else if (ZoomPending == 1) {
        ApplyZoom();
    }
    // The limit first: how far a Julia picture's orbits are followed for the switch depends on it.
    ChooseIterationLimit();
    ComputeSteps();
}

void CMorvale1Doc::SetJuliaRegion(const JuliaRegion& region) {
    JuliaValues = region.Values();
    CopyBox(region.box, JuliaXMin, JuliaXMax, JuliaYMin, JuliaYMax);
    JuliaP = region.p;
    JuliaQ = region.q;
}

void CMorvale1Doc::SetMandelRegion(const MandelRegion& region) {
    MandelValues = region.Values();
    CopyBox(region.box, MandelPMin, MandelPMax, MandelQMin, MandelQMax);
}

void CMorvale1Doc::ChooseIterationLimit() {
    if (DepthFromBox == 1) {
        IterationLimit = Depth;
    } else if (PresetChosen == 1) {
        if (FractalKind == Fractal::Julia) IterationLimit = TruncateToInt(GetJuliaRegion().depth);
        if (FractalKind == Fractal::Mandelbrot)
            IterationLimit = TruncateToInt(GetMandelRegion().depth);
    }
}

std::optional<PlaneBox> CMorvale1Doc::ChosenBox() const {
    if (FractalKind == Fractal::Julia) return GetJuliaRegion().box;
    if (FractalKind == Fractal::Mandelbrot) return GetMandelRegion().box;
    return std::nullopt;
}

}  // namespace morvale
