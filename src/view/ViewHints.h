// What the view tells a user who has no picture yet: the hint over the empty view and the
// prompt-pane text for a drawing without a chosen view.
#pragma once

#include <string>
#include <string_view>

namespace morvale {

class CFractalView;
struct EscapeTally;

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

// What the prompt pane says after an escape-time picture that came out almost all black: at least
// 99 % of its pixels stayed within the bound up to the limit, and not every one of them is known
// to stay for ever (a picture wholly inside the set says nothing). Empty otherwise.
std::string BlackPictureHint(const EscapeTally& tally, int limit);

}  // namespace morvale
