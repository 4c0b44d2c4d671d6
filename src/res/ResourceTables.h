// The program's resources as data: string table, menu, accelerators and toolbar layouts.
// Texts are UTF-8, byte for byte as the user sees them.
#pragma once

#include <span>
#include <string_view>

#include "platform/CommandIds.h"

namespace morvale::res {

inline constexpr std::string_view kAppName = "Morvale1";    // string AFX_IDS_APP_TITLE
inline constexpr std::string_view kIdleMessage = "Bereit";  // string AFX_IDS_IDLEMESSAGE
inline constexpr std::string_view kFrameTitle = "Morvale";
inline constexpr std::string_view kSettingsKey = "Local AppWizard-Generated Applications";
// Window title, document name, New name, filter, extension, type id, type name.
inline constexpr std::string_view kDocString =
    "Morvale1\n\nMorva\nDateityp Morva (*.mv1)\n.mv1\nMorvale1.Document\nMorva Document";
inline constexpr std::string_view kFileFilter = "Dateityp Morva (*.mv1)";
inline constexpr std::string_view kFileExtension = ".mv1";
inline constexpr std::string_view kMruPlaceholder = "Letzte Datei";

// One string resource of a command: the status prompt and the tooltip (either may be empty).
struct CommandString {
    UINT id;
    std::string_view prompt;
    std::string_view tooltip;
};
std::span<const CommandString> StringTable();
// Null when the command has no string.
const CommandString* FindCommandString(UINT id);

// Id 0 is a separator.
struct MenuItem {
    std::string_view text;  // "\t" separates the shortcut shown at the right
    UINT id;
};
struct MenuPopup {
    std::string_view title;
    std::span<const MenuItem> items;
};
std::span<const MenuPopup> MainMenu();
// The context menu of a Mandelbrot picture.
std::span<const MenuItem> PictureMenu();

struct Accelerator {
    std::string_view keys;  // portable QKeySequence text
    UINT id;
};
std::span<const Accelerator> Accelerators();

// Button commands in order; 0 is a separator. Images are taken in order by the non-separators.
std::span<const UINT> MainToolbarButtons();
std::span<const UINT> TreeToolbarButtons();

// About box texts, top to bottom.
std::span<const std::string_view> AboutLines();
inline constexpr std::string_view kAboutCaption = "Info über Morvale";
inline constexpr std::string_view kGuideCaption = "Morvale – Kurzanleitung";

}  // namespace morvale::res
