// What the view tells a user who has no picture yet: the hint over the empty view and the
// prompt-pane text for a drawing without a chosen view.
#pragma once

#include <string_view>

namespace morvale {

class CFractalView;

// Lines of the hint shown centred over the view while nothing is drawn.
inline constexpr std::string_view kEmptyViewHint =
    "So entsteht ein Bild:\n"
    "1. J (Julia) oder M (Mandelbrot) in der Symbolleiste wählen,\n"
    "2. „db“ öffnen und eine Zeile der Datenbank wählen, OK,\n"
    "3. D (Zeichnen) drücken.\n"
    "Danach zoomt das Mausrad ins Bild.  F1: Kurzanleitung";

inline constexpr std::string_view kNoViewChosen =
    "Noch keine Ansicht gewählt: J oder M, dann „db“ und eine Zeile wählen, dann D.";

// The escape-time picture is asked for, but no kind is chosen or the kind's region texts are
// all empty (it then draws all black).
bool NoViewChosen(const CFractalView& view);

}  // namespace morvale
