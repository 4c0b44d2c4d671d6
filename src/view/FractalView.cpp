#include "view/FractalView.h"

#include "doc/Morvale1Doc.h"

namespace morvale {
namespace {

using V = CFractalView;

constexpr CommandEntry<V> kCommands[] = {
    {ID_DRAW, &V::OnDrawCommand, nullptr},
    {ID_SERIES_DARKGREEN, &V::OnSeriesDarkGreen, &V::OnUpdateSeriesDarkGreen},
    {ID_SERIES_DARKRED, &V::OnSeriesDarkRed, &V::OnUpdateSeriesDarkRed},
    {ID_SERIES_DARKBLUE, &V::OnSeriesDarkBlue, &V::OnUpdateSeriesDarkBlue},
    {ID_SERIES_ALL, &V::OnSeriesAll, &V::OnUpdateSeriesAll},
    {ID_SERIES_GREEN, &V::OnSeriesGreen, &V::OnUpdateSeriesGreen},
    {ID_SERIES_RED, &V::OnSeriesRed, &V::OnUpdateSeriesRed},
    {ID_SERIES_BLUE, &V::OnSeriesBlue, &V::OnUpdateSeriesBlue},
    {ID_TREE_MODE, &V::OnTreeMode, nullptr},
    {ID_TREE_RESET, &V::OnTreeReset, nullptr},
    {ID_TREE_BRANCHES_MORE, &V::OnBranchesMore, nullptr},
    {ID_TREE_BRANCHES_FEWER, &V::OnBranchesFewer, nullptr},
    {ID_TREE_SEGMENTS_MORE, &V::OnSegmentsMore, nullptr},
    {ID_TREE_SEGMENTS_FEWER, &V::OnSegmentsFewer, nullptr},
    {ID_TREE_RAD_MORE, &V::OnRadMore, nullptr},
    {ID_TREE_RAD_LESS, &V::OnRadLess, nullptr},
    {ID_TREE_DT_MORE, &V::OnDtMore, nullptr},
    {ID_TREE_DT_LESS, &V::OnDtLess, nullptr},
    {ID_TREE_COLOUR, &V::OnTreeColour, &V::OnUpdateTreeColour},
    {ID_TREE_REDUX_MORE, &V::OnReduxMore, nullptr},
    {ID_TREE_REDUX_LESS, &V::OnReduxLess, nullptr},
};

}  // namespace

CFractalView::CFractalView(CMorvale1Doc* document) : document_(document) {}

CFractalView::~CFractalView() = default;

bool CFractalView::OnCmdMsg(UINT id, CCmdUI* ui) {
    return DispatchCommand<V>(this, kCommands, id, ui);
}

void CFractalView::OnDraw(CDC* dc) {
    PictureWidth = dc->GetDeviceCaps(HORZRES);
    PictureHeight = dc->GetDeviceCaps(VERTRES);
    document_->SetPictureSize(PictureWidth, PictureHeight);
    if (ViewMode == Drawing::EscapeTime) DrawEscapeTime(dc);
    if (ViewMode == Drawing::Tree) DrawTree(dc, Segments, RootX, RootY);
}

void CFractalView::OnDrawCommand() {
    ViewMode = Drawing::EscapeTime;
    document_->MarkDrawn();
    Invalidate();
}

void CFractalView::SetSeries(int series) {
    ColourSeries = series;
    Invalidate();
}

void CFractalView::OnSeriesDarkGreen() {
    SetSeries(1);
}
void CFractalView::OnSeriesDarkRed() {
    SetSeries(2);
}
void CFractalView::OnSeriesDarkBlue() {
    SetSeries(3);
}
void CFractalView::OnSeriesAll() {
    SetSeries(7);
}
void CFractalView::OnSeriesGreen() {
    SetSeries(4);
}
void CFractalView::OnSeriesRed() {
    SetSeries(5);
}
void CFractalView::OnSeriesBlue() {
    SetSeries(6);
}
void CFractalView::OnUpdateSeriesDarkGreen(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 1);
}
void CFractalView::OnUpdateSeriesDarkRed(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 2);
}
void CFractalView::OnUpdateSeriesDarkBlue(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 3);
}
void CFractalView::OnUpdateSeriesAll(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 7);
}
void CFractalView::OnUpdateSeriesGreen(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 4);
}
void CFractalView::OnUpdateSeriesRed(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 5);
}
void CFractalView::OnUpdateSeriesBlue(CCmdUI* ui) {
    ui->SetCheck(ColourSeries == 6);
}

}  // namespace morvale
