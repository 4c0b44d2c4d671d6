#include "view/FractalView.h"

namespace morvale {

// Placeholders until zoom selection and the pointer readout land.
void CFractalView::OnLButtonDown(UINT, CPoint) {}
void CFractalView::OnMouseMove(UINT, CPoint) {}
void CFractalView::OnLButtonUp(UINT, CPoint) {}
void CFractalView::DrawDragFrame(CDC*) {}

}  // namespace morvale
