// An escape-time drawing for the window, computed off the window's thread. It is prepared on a
// copy of the document so that the document keeps the geometry of the picture on the screen until
// the drawing's first rows show (docs/drawing.md).
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <string>

#include "doc/Morvale1Doc.h"
#include "keep/ViewRecord.h"
#include "render/EscapeJob.h"

namespace morvale {

class CFractalView;

class BackgroundDrawing {
public:
    // Prepares the drawing for dc's device and starts computing it into dc's surface, which must
    // outlive it. The document's one-shot requests are taken now. ended: as EscapeJob's.
    BackgroundDrawing(CFractalView& view, CDC& dc, std::function<void()> ended);
    // Cancels; a drawing of which nothing was shown gives its requests back.
    ~BackgroundDrawing();
    BackgroundDrawing(const BackgroundDrawing&) = delete;
    BackgroundDrawing& operator=(const BackgroundDrawing&) = delete;

    // Empty, or in German why the prepared region cannot be drawn; then nothing was started.
    const std::string& Refusal() const { return refusal_; }
    // The requests are not given back: the next drawing does not try them again.
    void DropRequests() { taken_ = {}; }

    EscapeJob& Job() { return *job_; }
    // Document and view take the drawing's geometry (once its first rows show).
    void Adopt();
    bool Adopted() const { return adopted_; }
    // Adopt, plus the statistics and counters a finished drawing leaves.
    void Complete();

private:
    CFractalView& view_;
    CMorvale1Doc prepared_;
    CMorvale1Doc::Requests taken_;
    int series_;
    PixelSurface surface_;
    bool adopted_ = false;
    std::string refusal_;
    std::unique_ptr<EscapeJob> job_;
    // The view's texts, formatted off the window's thread: near the deepest height each takes a
    // twentieth of a second.
    std::future<std::optional<ViewRecord>> record_;
};

}  // namespace morvale
