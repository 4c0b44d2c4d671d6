#include "view/PaneWriter.h"

namespace morvale {

void PaneWriter::Forget() {
    for (Written& pane : written_) pane.valid = false;
}

void PaneWriter::Write(IMainFrame* frame, const PaneSetting& pane) {
    const int index = PaneIndex(pane.pane);
    if (!frame || index < 0 || index >= kPaneCount) return;
    Written& last = written_[std::size_t(index)];
    if (last.valid && last.style == pane.style && last.width == pane.width &&
        last.text == pane.text)
        return;
    frame->SetPaneInfo(index, 0, pane.style, pane.width);
    frame->SetPaneText(index, pane.text, true);
    last = {true, pane.style, pane.width, pane.text};
}

}  // namespace morvale
