// The view's pages: a page is drawn through the view's OnDraw on a device the size of the page,
// its escape-time picture computed with a progress dialog. A cancelled page leaves the view and
// the document as they were.
#pragma once

#include <functional>

#include "doc/Morvale1Doc.h"
#include "platform/CommandTarget.h"

namespace morvale {

class CMorvale1View;
class PrintSupport;
struct EscapeColouring;

class ViewPrinting {
public:
    explicit ViewPrinting(CMorvale1View& view) : view_(view) {}

    void SetPrintSupport(PrintSupport* printing) { printing_ = printing; }
    // The print commands: with the print dialog, straight to the printer, and the page preview.
    bool ExecuteCommand(UINT id);
    bool UpdateCommand(CCmdUI& ui);
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

    // False when the user cancelled the page.
    bool DrawPage(CDC& dc);
    // A page is being drawn: its escape-time picture is computed by ComputePage.
    bool DrawingPage() const { return drawingPage_; }
    bool ComputePage(const EscapeScene& scene, const EscapeColouring& colours,
                     const PixelSurface& surface);
    // Cancels the page being computed; false when none is.
    bool StopPage();

private:
    CMorvale1View& view_;
    PrintSupport* printing_ = nullptr;
    std::function<void()> stopPage_;  // set while a printed page is computed
    bool drawingPage_ = false;
    bool pageCancelled_ = false;
    CMorvale1Doc::Requests requestsMeanwhile_;
};

}  // namespace morvale
