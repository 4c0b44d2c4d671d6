#include "view/qt/ViewPrinting.h"

#include <QScopedValueRollback>
#include <tuple>

#include "platform/qt/PrintSupport.h"
#include "view/qt/Morvale1View.h"
#include "view/qt/PageProgress.h"

namespace morvale {
namespace {

constexpr CommandEntry<ViewPrinting> kPrintCommands[] = {
    {ID_FILE_PRINT, &ViewPrinting::OnFilePrint},
    {ID_FILE_PRINT_DIRECT, &ViewPrinting::OnFilePrintDirect},
    {ID_FILE_PRINT_PREVIEW, &ViewPrinting::OnFilePrintPreview},
};

}  // namespace

bool ViewPrinting::ExecuteCommand(UINT id) {
    return ExecuteFromTable(*this, kPrintCommands, id);
}

bool ViewPrinting::UpdateCommand(CCmdUI& ui) {
    return UpdateFromTable(*this, kPrintCommands, ui);
}

void ViewPrinting::OnFilePrint() {
    if (printing_) printing_->Print(view_.window(), true, [this](CDC& dc) { return DrawPage(dc); });
}

void ViewPrinting::OnFilePrintDirect() {
    if (printing_)
        printing_->Print(view_.window(), false, [this](CDC& dc) { return DrawPage(dc); });
}

void ViewPrinting::OnFilePrintPreview() {
    if (printing_) printing_->Preview(view_.window(), [this](CDC& dc) { return DrawPage(dc); });
}

bool ViewPrinting::DrawPage(CDC& dc) {
    QScopedValueRollback drawing(drawingPage_, true);
    pageCancelled_ = false;
    CMorvale1View& v = view_;
    // A page never printed leaves no trace: what it changed goes back if it is cancelled.
    CMorvale1Doc before = *v.GetDocument();
    const auto kept =
        std::tuple(v.PictureWidth, v.PictureHeight, v.PixelColumn, v.PixelRow, v.LastEscapeTally);
    requestsMeanwhile_ = {};
    v.OnDraw(&dc);
    v.GetDocument()->GiveBackRequests(requestsMeanwhile_);
    if (!pageCancelled_) return true;
    std::tie(v.PictureWidth, v.PictureHeight, v.PixelColumn, v.PixelRow, v.LastEscapeTally) = kept;
    v.GetDocument()->AdoptGeometry(before);
    v.GetDocument()->GiveBackRequests(before.TakeRequests());
    return false;
}

bool ViewPrinting::ComputePage(const EscapeScene& scene, const EscapeColouring& colours,
                               const PixelSurface& surface) {
    CMorvale1Doc& doc = *view_.GetDocument();
    // The window takes input while the page is computed: requests made meanwhile are the next
    // drawing's, not ended with the page.
    doc.TakeRequests();  // the page's own, prepared already
    pageCancelled_ = !ComputePageWithProgress(view_.window(), scene, colours, surface,
                                              view_.LastEscapeTally, stopPage_);
    requestsMeanwhile_ = doc.TakeRequests();
    return !pageCancelled_;
}

bool ViewPrinting::StopPage() {
    if (!stopPage_) return false;
    stopPage_();
    return true;
}

}  // namespace morvale
