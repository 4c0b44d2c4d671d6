#include "view/PaneWriter.h"

namespace morvale {

void PaneWriter::Forget() {
    for (Written& pane : written_) pane.valid = false;
}

void PaneWriter::Write(IMainFrame* frame, const PaneSetting& pane) {
    if (!frame || pane.index < 0 || pane.index >= kPanes) return;
    Written& last = written_[std::size_t(pane.index)];
    if (last.valid && last.style == pane.style && last.width == pane.width &&
        last.text == pane.text)
        return;
    frame->SetPaneInfo(pane.index, 0, pane.style, pane.width);
    frame->SetPaneText(pane.index, pane.text, true);
    last = {true, pane.style, pane.width, pane.text};
}

}  // namespace morvale
