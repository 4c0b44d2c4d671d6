#include "res/ResourceTables.h"

#include <algorithm>
#include <array>

namespace morvale::res {
namespace {

constexpr CommandString kStrings[] = {
    {ID_FILE_NEW, "Erstellt ein neues Dokument.", "Neu"},
    {ID_FILE_OPEN, "Öffnet ein bestehendes Dokument.", "Öffnen"},
    {ID_FILE_CLOSE, "Schließt das aktive Dokument.", "Schließen"},
    {ID_FILE_SAVE, "Speichert das aktive Dokument.", "Speichern"},
    {ID_FILE_SAVE_AS, "Speichert das aktive Dokument unter neuem Namen.", "Speichern unter"},
    {ID_FILE_SAVE_PICTURE,
     "Speichert das gezeigte Bild als PNG-Datei, mit der Ansicht, die es wieder öffnet.",
     "Bild speichern unter"},
    {ID_FILE_OPEN_VIEW,
     "Öffnet die Ansicht eines von Morvale gespeicherten PNG-Bildes und zeichnet sie.",
     "Ansicht öffnen"},
    {ID_FILE_SAVE_ZOOM_FLIGHT,
     "Speichert ein Zoomvideo von der ganzen Menge bis zur gezeigten Ansicht (MP4).",
     "Zoomfahrt speichern"},
    {ID_FILE_PAGE_SETUP, "Ändert die Druckoptionen.", "Seite einrichten"},
    {ID_FILE_PRINT_SETUP, "Ändert den Drucker und die Druckoptionen.", "Druckereinrichtung"},
    {ID_FILE_PRINT, "Druckt das aktive Dokument.", "Drucken"},
    {ID_FILE_PRINT_PREVIEW, "Zeigt ganze Seiten an.", "Seitenansicht"},
    {ID_APP_ABOUT, "Zeigt Programminformationen und die Versionsnummer an.", "Info"},
    {ID_HELP_GUIDE, "Zeigt eine kurze Anleitung: vom ersten Bild bis zum Zweigbaum.",
     "Kurzanleitung"},
    {ID_APP_EXIT, "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.",
     "Beenden"},
    {57616, "Öffnet dieses Dokument.", ""},
    {57617, "Öffnet dieses Dokument.", ""},
    {57618, "Öffnet dieses Dokument.", ""},
    {57619, "Öffnet dieses Dokument.", ""},
    {57620, "Öffnet dieses Dokument.", ""},
    {57621, "Öffnet dieses Dokument.", ""},
    {57622, "Öffnet dieses Dokument.", ""},
    {57623, "Öffnet dieses Dokument.", ""},
    {57624, "Öffnet dieses Dokument.", ""},
    {57625, "Öffnet dieses Dokument.", ""},
    {57626, "Öffnet dieses Dokument.", ""},
    {57627, "Öffnet dieses Dokument.", ""},
    {57628, "Öffnet dieses Dokument.", ""},
    {57629, "Öffnet dieses Dokument.", ""},
    {57630, "Öffnet dieses Dokument.", ""},
    {57631, "Öffnet dieses Dokument.", ""},
    {ID_EDIT_CLEAR, "Löscht die Markierung.", "Löschen"},
    {ID_EDIT_CLEAR_ALL, "Löscht alles.", "Alles löschen"},
    {ID_EDIT_COPY, "Kopiert die Markierung und überträgt sie in die Zwischenablage.", "Kopieren"},
    {ID_EDIT_CUT, "Entfernt die Markierung und überträgt sie in die Zwischenablage.",
     "Ausschneiden"},
    {ID_EDIT_FIND, "Sucht den angegebenen Text.", "Suchen"},
    {ID_EDIT_PASTE, "Fügt den Inhalt der Zwischenablage ein.", "Einfügen"},
    {ID_EDIT_REPEAT, "Wiederholt die letzte Aktion.", "Wiederholen"},
    {ID_EDIT_REPLACE, "Ersetzt einen bestimmten Text durch einen anderen.", "Ersetzen"},
    {ID_EDIT_SELECT_ALL, "Markiert das gesamte Dokument.", "Alles markieren"},
    {ID_EDIT_UNDO, "Macht die letzte Aktion rückgängig.", "Rückgängig"},
    {ID_EDIT_REDO, "Wiederholt die vorher rückgängig gemachte Aktion.", "Wiederherstellen"},
    {ID_WINDOW_SPLIT, "Teilt das aktive Fenster in Ausschnitte.", "Teilen"},
    {ID_NEXT_PANE, "Wechselt zum nächsten Fensterausschnitt.", "Nächster Ausschnitt"},
    {ID_PREV_PANE, "Springt zum vorherigen Fensterausschnitt zurück.", "Vorheriger Ausschnitt"},
    {ID_VIEW_TOOLBAR, "Blendet die Symbolleiste ein oder aus.", "Symbolleiste ein-/ausschalten"},
    {ID_VIEW_STATUS_BAR, "Blendet die Statusleiste ein oder aus.", "Statusleiste ein-/ausschalten"},
    {AFX_IDS_SCSIZE, "Ändert die Fenstergröße.", ""},
    {AFX_IDS_SCMOVE, "Ändert die Position des Fensters.", ""},
    {AFX_IDS_SCMINIMIZE, "Verkleinert das Fenster zu einem Symbol.", ""},
    {AFX_IDS_SCMAXIMIZE, "Vergrößert das Fenster zu voller Größe.", ""},
    {AFX_IDS_SCNEXTWINDOW, "Wechselt zum nächsten Dokumentfenster.", ""},
    {AFX_IDS_SCPREVWINDOW, "Wechselt zum vorherigen Dokumentfenster.", ""},
    {AFX_IDS_SCCLOSE, "Schließt das aktive Fenster und fordert zur Dokumentspeicherung auf.", ""},
    {AFX_IDS_SCRESTORE, "Stellt das Fenster in seiner normalen Größe wieder her.", ""},
    {AFX_IDS_SCTASKLIST, "Aktiviert die Task-Liste.", ""},
    {AFX_IDS_PREVIEW_CLOSE, "Beendet die Seitenansicht.", "Seitenansicht beenden"},
    {ID_DRAW, "Morval wird gezeichnet", "Zeichnen"},
    {ID_VIEW_DEEP_ZOOM,
     "Rechnet Bereiche, die double nicht mehr auflöst, in voller Genauigkeit (Tiefzoom).",
     "Tiefzoom ein-/ausschalten"},
    {ID_SERIES_DARKGREEN, "Farbreihe dunkelgrün wird eingestellt", "Dunkelgrün"},
    {ID_SERIES_DARKRED, "Farbreihe dunkelrot wird eingestellt", "Dunkelrot"},
    {ID_SERIES_DARKBLUE, "Farbreihe dunkelblau wird eingestellt", "Dunkelblau"},
    {ID_SERIES_ALL, "Farbreihe Grün...Rot...Blau wird eingestellt", "Grün...Rot...Blau"},
    {ID_SERIES_GREEN, "Farbreihe grün wird eingestellt", "Grün"},
    {ID_SERIES_RED, "Farbreihe Rot wird eingestellt", "Rot"},
    {ID_SERIES_BLUE, "Farbreihe Blau wird eingestellt", "Blau"},
    {ID_JULIA, "Einstellung Julia-Morvale", "Julia-Morvale"},
    {ID_MANDELBROT, "Einstellung Mandelbrot-Morvale", "Mandelbrot-Morval"},
    {ID_DATABASE, "Zugriff auf die Julia- u. Mandelbrot-Datenbank", "Julia-/Mandelbrot-Datenbank"},
    {ID_VIEW_BACK, "Zeichnet die vorige Ansicht noch einmal", "Zurück"},
    {ID_VIEW_FORWARD, "Zeichnet die nächste Ansicht noch einmal", "Vor"},
    {ID_JULIA_AT_POINT, "Zeichnet die Julia-Menge zum Punkt unter dem Mauszeiger",
     "Julia-Menge zu diesem Punkt"},
    {ID_COPY_POINT,
     "Kopiert die Koordinaten des Punktes unter dem Mauszeiger in voller Genauigkeit",
     "Punkt kopieren"},
};

constexpr MenuItem kFileMenu[] = {
    {"&Neu\tStrg+N", ID_FILE_NEW},
    {"Ö&ffnen...\tStrg+O", ID_FILE_OPEN},
    {"S&peichern\tStrg+S", ID_FILE_SAVE},
    {"Speichern &unter...", ID_FILE_SAVE_AS},
    {"", 0},
    {"B&ild speichern unter…\tStrg+Umschalt+S", ID_FILE_SAVE_PICTURE},
    {"&Ansicht öffnen…", ID_FILE_OPEN_VIEW},
    {"&Zoomfahrt speichern…", ID_FILE_SAVE_ZOOM_FLIGHT},
    {"", 0},
    {"&Drucken...\tStrg+P", ID_FILE_PRINT},
    {"Sei&tenansicht", ID_FILE_PRINT_PREVIEW},
    {"Drucker&einrichtung...", ID_FILE_PRINT_SETUP},
    {"", 0},
    {kMruPlaceholder, ID_FILE_MRU_FIRST},
    {"", 0},
    {"&Beenden", ID_APP_EXIT},
};
constexpr MenuItem kViewMenu[] = {
    {"&Symbolleiste", ID_VIEW_TOOLBAR},   {"S&tatusleiste", ID_VIEW_STATUS_BAR}, {"", 0},
    {"&Zurück\tAlt+Links", ID_VIEW_BACK}, {"&Vor\tAlt+Rechts", ID_VIEW_FORWARD}, {"", 0},
    {"Tief&zoom", ID_VIEW_DEEP_ZOOM},
};
constexpr MenuItem kPictureMenu[] = {
    {"&Julia-Menge zu diesem Punkt", ID_JULIA_AT_POINT},
    {"Punkt &kopieren", ID_COPY_POINT},
};
constexpr MenuItem kHelpMenu[] = {
    {"&Kurzanleitung\tF1", ID_HELP_GUIDE},
    {"Inf&o über Morvale...", ID_APP_ABOUT},
};
constexpr MenuPopup kMenu[] = {
    {"&Datei", kFileMenu},
    {"&Ansicht", kViewMenu},
    {"&?", kHelpMenu},
};

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+N", ID_FILE_NEW},        {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},       {"Ctrl+P", ID_FILE_PRINT},
    {"Ctrl+Z", ID_EDIT_UNDO},       {"Alt+Backspace", ID_EDIT_UNDO},
    {"Ctrl+X", ID_EDIT_CUT},        {"Shift+Del", ID_EDIT_CUT},
    {"Ctrl+C", ID_EDIT_COPY},       {"Ctrl+Ins", ID_EDIT_COPY},
    {"Ctrl+V", ID_EDIT_PASTE},      {"Shift+Ins", ID_EDIT_PASTE},
    {"F1", ID_HELP_GUIDE},          {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},     {"Alt+Left", ID_VIEW_BACK},
    {"Alt+Right", ID_VIEW_FORWARD}, {"Ctrl+Shift+S", ID_FILE_SAVE_PICTURE},
};

constexpr UINT kMainToolbar[] = {
    ID_FILE_NEW,
    ID_FILE_OPEN,
    ID_FILE_SAVE,
    0,
    ID_FILE_PRINT,
    ID_APP_ABOUT,
    ID_DRAW,
    ID_SERIES_DARKGREEN,
    ID_SERIES_DARKRED,
    ID_SERIES_DARKBLUE,
    ID_SERIES_ALL,
    ID_SERIES_GREEN,
    ID_SERIES_RED,
    ID_SERIES_BLUE,
    ID_JULIA,
    ID_MANDELBROT,
    0,
    ID_DEPTH_PLACEHOLDER,
    ID_DATABASE,
    ID_VIEW_TREEBAR,
};

constexpr UINT kTreeToolbar[] = {
    ID_TREE_MODE,          ID_TREE_RESET,          ID_TREE_BRANCHES_MORE, ID_TREE_BRANCHES_FEWER,
    ID_TREE_SEGMENTS_MORE, ID_TREE_SEGMENTS_FEWER, ID_TREE_RAD_MORE,      ID_TREE_RAD_LESS,
    ID_TREE_DT_MORE,       ID_TREE_DT_LESS,        ID_TREE_COLOUR,        ID_TREE_REDUX_MORE,
    ID_TREE_REDUX_LESS,
};

constexpr std::string_view kAbout[] = {
    "Morvale", "Version 1.0", "Morvale-Entwicklerteam", "November 2001", "Fraktale für Linux",
};

}  // namespace

std::span<const CommandString> StringTable() {
    return kStrings;
}

const CommandString* FindCommandString(UINT id) {
    const auto it = std::find_if(std::begin(kStrings), std::end(kStrings),
                                 [id](const CommandString& s) { return s.id == id; });
    return it == std::end(kStrings) ? nullptr : &*it;
}

std::span<const MenuPopup> MainMenu() {
    return kMenu;
}
std::span<const MenuItem> PictureMenu() {
    return kPictureMenu;
}
std::span<const Accelerator> Accelerators() {
    return kAccelerators;
}
std::span<const UINT> MainToolbarButtons() {
    return kMainToolbar;
}
std::span<const UINT> TreeToolbarButtons() {
    return kTreeToolbar;
}
std::span<const std::string_view> AboutLines() {
    return kAbout;
}

}  // namespace morvale::res
