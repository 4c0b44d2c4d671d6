#include "doc/Morvale1Doc.h"
#include "view/FractalView.h"

namespace morvale {

// Placeholder until the renderer lands: prepares and finishes without computing pixels.
void CFractalView::DrawEscapeTime(CDC* dc) {
    CMorvale1Doc* doc = GetDocument();
    doc->PrepareDrawing(dc);
    doc->FinishDrawing(dc);
}

}  // namespace morvale
