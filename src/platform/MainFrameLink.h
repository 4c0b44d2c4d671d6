// What the document and the view need of the main window, without depending on a toolkit.
#pragma once

#include <string>

#include "platform/CommandIds.h"

namespace morvale {

// Status bar pane styles.
inline constexpr UINT SBPS_NORMAL = 0x0000;
inline constexpr UINT SBPS_NOBORDERS = 0x0100;
inline constexpr UINT SBPS_POPOUT = 0x0200;
inline constexpr UINT SBPS_STRETCH = 0x08000000;

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    virtual void SetWindowText(const std::string& title) = 0;
    // Status bar of nine panes, addressed by index 0..8; texts are UTF-8 and shown as they are.
    virtual void SetPaneInfo(int index, UINT id, UINT style, int width) = 0;
    virtual void SetPaneText(int index, const std::string& text, bool update = true) = 0;
    // Replaces the depth box's displayed text; this is not an edit by the user.
    virtual void SetDepthBoxText(const std::string& text) = 0;
};

}  // namespace morvale
