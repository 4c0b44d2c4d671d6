#include "view/FractalView.h"

#include "doc/Morvale1Doc.h"
#include "keep/ViewRecord.h"
#include "view/ViewHints.h"

namespace morvale {
namespace {

using V = CFractalView;

constexpr CommandEntry<V> kCommands[] = {
    {ID_DRAW, &V::OnDrawCommand},
    {ID_SERIES_DARKGREEN, &V::OnSeries, &V::OnUpdateSeries, 1},
    {ID_SERIES_DARKRED, &V::OnSeries, &V::OnUpdateSeries, 2},
    {ID_SERIES_DARKBLUE, &V::OnSeries, &V::OnUpdateSeries, 3},
    {ID_SERIES_ALL, &V::OnSeries, &V::OnUpdateSeries, 7},
    {ID_SERIES_GREEN, &V::OnSeries, &V::OnUpdateSeries, 4},
    {ID_SERIES_RED, &V::OnSeries, &V::OnUpdateSeries, 5},
    {ID_SERIES_BLUE, &V::OnSeries, &V::OnUpdateSeries, 6},
    {ID_TREE_MODE, &V::OnTreeMode},
    {ID_TREE_RESET, &V::OnTreeReset},
    {ID_TREE_BRANCHES_MORE, &V::OnBranchesMore},
    {ID_TREE_BRANCHES_FEWER, &V::OnBranchesFewer},
    {ID_TREE_SEGMENTS_MORE, &V::OnSegmentsMore},
    {ID_TREE_SEGMENTS_FEWER, &V::OnSegmentsFewer},
    {ID_TREE_RAD_MORE, &V::OnRadMore},
    {ID_TREE_RAD_LESS, &V::OnRadLess},
    {ID_TREE_DT_MORE, &V::OnDtMore},
    {ID_TREE_DT_LESS, &V::OnDtLess},
    {ID_TREE_COLOUR, &V::OnTreeColour, &V::OnUpdateTreeColour},
    {ID_TREE_REDUX_MORE, &V::OnReduxMore},
    {ID_TREE_REDUX_LESS, &V::OnReduxLess},
    {ID_VIEW_BACK, &V::OnViewBack, &V::OnUpdateViewBack},
    {ID_VIEW_FORWARD, &V::OnViewForward, &V::OnUpdateViewForward},
    {ID_JULIA_AT_POINT, &V::OnJuliaAtPoint, &V::OnUpdateJuliaAtPoint},
};

}  // namespace

CFractalView::CFractalView(CMorvale1Doc* document) : document_(document) {}

CFractalView::~CFractalView() = default;

void CFractalView::SetShownView(const ViewRecord& view) {
    shownView_ = std::make_unique<ViewRecord>(view);
    shownComplete_ = false;
    shownFrames_ = zoomFramesDrawn_;
}

bool CFractalView::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kCommands, id);
}

bool CFractalView::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kCommands, ui);
}

void CFractalView::RecordDevice(CDC* dc) {
    PictureWidth = dc->GetDeviceCaps(HORZRES);
    PictureHeight = dc->GetDeviceCaps(VERTRES);
    document_->SetPictureSize(PictureWidth, PictureHeight);
}

void CFractalView::OnDraw(CDC* dc) {
    RecordDevice(dc);
    if (ViewMode == Drawing::EscapeTime) DrawEscapeTime(dc);
    if (ViewMode == Drawing::Tree) DrawTree(dc, Segments, RootX, RootY);
}

void CFractalView::OnDrawCommand() {
    ViewMode = Drawing::EscapeTime;
    document_->MarkDrawn();
    Invalidate();
    if (const std::string_view hint = NoViewHint(*this); frame_ && !hint.empty())
        frame_->SetPaneText(PaneIndex(Pane::Prompt), std::string(hint), true);
}

void CFractalView::OnSeries(int series) {
    ColourSeries = series;
    Invalidate();
}

void CFractalView::OnUpdateSeries(CCmdUI* ui, int series) {
    ui->SetCheck(ColourSeries == series);
}

}  // namespace morvale
