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

// Short enough for the prompt pane beside the readout panes.
inline constexpr std::string_view kNoKindChosen =
    "Keine Art gewählt: erst J oder M, dann „db“ und D";
inline constexpr std::string_view kNoViewChosen = "Keine Ansicht gewählt: „db“, eine Zeile, dann D";

// What the prompt pane says while the escape-time picture is asked for but no kind is chosen,
// or the kind's region texts are all empty (it then draws all black); empty otherwise.
std::string_view NoViewHint(const CFractalView& view);

}  // namespace morvale
