#include "cli/RenderOptions.h"

#include <cstdlib>
#include <functional>

#include "cli/OptionTable.h"
#include "cli/WholeNumber.h"
#include "plane/DeepRegion.h"
#include "plane/RegionLimits.h"
#include "platform/QuotedText.h"
#include "presets/PresetTables.h"

namespace morvale {
namespace {

// PNG readers refuse wider or higher pictures (libpng's default limit).
constexpr int kMaxSide = 1000000;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// --texts and --text add to the same list.
std::vector<std::string>& TakenTexts(RenderOptions& o) {
    if (!o.texts) o.texts.emplace();
    return *o.texts;
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string ParseSize(const std::string& name, const std::string& text, PictureSize& size) {
    const std::vector<std::string> parts = Split(text, 'x');
    const bool digits = parts.size() == 2 && AllDigits(parts[0]) && AllDigits(parts[1]);
    const bool fits =
        digits && ParseNumber(parts[0], size.width) && ParseNumber(parts[1], size.height);
    if (!digits || (fits && (size.width <= 0 || size.height <= 0)))
        return name + ": " + QuotedText(text) + " ist keine Größe BREITExHÖHE mit Werten über 0";
    if (!fits || size.width > kMaxSide || size.height > kMaxSide)
        return name + ": " + QuotedText(text) + " ist zu groß (höchstens " +
               std::to_string(kMaxSide) + " Pixel je Seite, mehr lesen PNG-Programme nicht)";
    return {};
}

using Handler = std::function<std::string(RenderOptions&, const std::string& value)>;

struct OptionSpec {
    const char* name;
    const char* value;  // placeholder shown in the help; null for a switch
    std::string help;
    Handler handle;
};

const std::vector<OptionSpec>& Options() {
    static const std::vector<OptionSpec> options = {
        {"--kind", "julia|mandelbrot", "Fraktalart (Vorgabe: mandelbrot)",
         [](RenderOptions& o, const std::string& v) -> std::string {
             o.kindSet = true;
             if (v == "julia")
                 o.kind = Fractal::Julia;
             else if (v == "mandelbrot")
                 o.kind = Fractal::Mandelbrot;
             else
                 return "--kind: unbekannte Fraktalart " + QuotedText(v) +
                        ", erlaubt sind julia und mandelbrot";
             return {};
         }},
        {"--preset", "N", "Zeile N der Voreinstellungen dieser Art übernehmen (wie mit OK)",
         [](RenderOptions& o, const std::string& v) -> std::string {
             int row = 0;
             if (!ParseNumber(v, row))
                 return "--preset: " + QuotedText(v) + " ist keine Zeilennummer";
             o.preset = row;
             return {};
         }},
        {"--texts", "T,T,...", "die 7 (Julia) oder 5 (Mandelbrot) Texte übernehmen",
         [](RenderOptions& o, const std::string& v) -> std::string {
             const std::vector<std::string> parts = Split(v, ',');
             TakenTexts(o).insert(TakenTexts(o).end(), parts.begin(), parts.end());
             return {};
         }},
        {"--text", "T", "der nächste Text (auch mit Komma); mehrfach, statt --texts",
         [](RenderOptions& o, const std::string& v) -> std::string {
             TakenTexts(o).push_back(v);
             return {};
         }},
        {"--centre", "RE,IM",
         "Bildmitte; mit --height statt der vier Bereichstexte, in voller Genauigkeit",
         [](RenderOptions& o, const std::string& v) -> std::string {
             const std::vector<std::string> parts = Split(v, ',');
             if (parts.size() != 2)
                 return "--centre: " + QuotedText(v) + " sind nicht zwei Zahlen RE,IM";
             for (const std::string& part : parts)
                 if (std::string problem = CoordinateProblem(part); !problem.empty())
                     return "--centre: " + QuotedText(v) + ": " + problem;
             o.centre.emplace(parts[0], parts[1]);
             return {};
         }},
        {"--height", "H",
         "mit --centre: Höhe des sichtbaren Bildes in der Ebene, über 0 und mindestens " +
             DeepestHeightText(),
         [](RenderOptions& o, const std::string& v) -> std::string {
             if (std::string problem = HeightProblem(v); !problem.empty())
                 return "--height: " + problem;
             o.planeHeight = v;
             return {};
         }},
        {"--no-deep-zoom", nullptr,
         "Tiefzoom aus: auch Bereiche, die double nicht mehr auflöst, mit double rechnen",
         [](RenderOptions& o, const std::string&) {
             o.deepZoom = false;
             return std::string();
         }},
        {"--depth", "N", "Tiefe, wie im Tiefenfeld eingegeben, vor der ersten Zeichnung",
         [](RenderOptions& o, const std::string& v) -> std::string {
             int depth = 0;
             if (std::string error = ParseWholeNumber(v, depth); !error.empty())
                 return "--depth: " + error;
             o.depth = depth;
             return {};
         }},
        {"--series", "1..7", "Farbreihe (Vorgabe: 7, Grün...Rot...Blau)",
         [](RenderOptions& o, const std::string& v) -> std::string {
             o.seriesSet = true;
             if (!ParseNumber(v, o.series) || o.series < kFirstSeries || o.series > kLastSeries)
                 return "--series: " + QuotedText(v) + " ist keine Farbreihe von 1 bis 7";
             return {};
         }},
        {"--screen", "BxH", "Gerätegröße in Pixeln, nach der gerechnet wird (Vorgabe: 1920x1080)",
         [](RenderOptions& o, const std::string& v) {
             o.screenSet = o.screenGiven = true;
             return ParseSize("--screen", v, o.screen);
         }},
        {"--window", "BxH", "sichtbarer Fensterbereich, das Bild (Vorgabe: die Gerätegröße)",
         [](RenderOptions& o, const std::string& v) {
             PictureSize size;
             std::string error = ParseSize("--window", v, size);
             if (error.empty()) o.window = size;
             o.windowGiven = true;
             return error;
         }},
        {"--size", "BxH", "Poster: genau BxH Pixel, alle gerechnet (Gerät B x (H+50), Fenster BxH)",
         [](RenderOptions& o, const std::string& v) {
             PictureSize size;
             std::string error = ParseSize("--size", v, size);
             if (!error.empty()) return error;
             // The device's first rows are hidden behind the window's top edge.
             o.screen = {size.width, size.height + kHiddenRows};
             o.window = size;
             o.sizeGiven = o.screenSet = true;
             return error;
         }},
        {"--zoom", "X0,Y0,X1,Y1",
         "Zoomrahmen von (X0,Y0) nach (X1,Y1) ziehen, dann zeichnen; mehrfach möglich",
         [](RenderOptions& o, const std::string& v) -> std::string {
             const std::vector<std::string> parts = Split(v, ',');
             int c[4] = {};
             bool ok = parts.size() == 4;
             for (std::size_t i = 0; ok && i < 4; ++i) ok = ParseNumber(parts[i], c[i]);
             if (!ok)
                 return "--zoom: " + QuotedText(v) + " sind nicht vier ganze Zahlen X0,Y0,X1,Y1";
             o.zooms.push_back({{c[0], c[1]}, {c[2], c[3]}});
             return {};
         }},
        {"--view", "BILD.png",
         "eine gespeicherte Ansicht zeichnen, nach Vorgabe in ihren Größen und ihrer Farbreihe",
         [](RenderOptions& o, const std::string& v) -> std::string {
             if (v.empty()) return "--view: leerer Dateiname";
             o.view = v;
             return {};
         }},
        {"--keyframes", "ORDNER",
         "Schlüsselbilder einer Zoomfahrt von der Ansicht bis zur ganzen Menge in den Ordner",
         [](RenderOptions& o, const std::string& v) -> std::string {
             if (v.empty()) return "--keyframes: leerer Ordnername";
             o.keyframes = v;
             return {};
         }},
        {"--frame-size", "BxH", "Schlüsselbilder: Bildgröße (Vorgabe: 3840x2160)",
         [](RenderOptions& o, const std::string& v) {
             return ParseSize("--frame-size", v, o.frameSize);
         }},
        {"--top-height", "H", "Schlüsselbilder: enden beim ersten Bild mindestens dieser Höhe",
         [](RenderOptions& o, const std::string& v) -> std::string {
             if (!(std::atof(v.c_str()) > 0.0))
                 return "--top-height: " + QuotedText(v) + " ist keine Höhe über 0";
             o.topHeight = v;
             return {};
         }},
        {"--frames", "A-B", "Schlüsselbilder: nur die Bilder A bis B (ab 0)",
         [](RenderOptions& o, const std::string& v) -> std::string {
             const std::vector<std::string> parts = Split(v, '-');
             if (parts.size() != 2 || !AllDigits(parts[0]) || !AllDigits(parts[1]) ||
                 !ParseNumber(parts[0], o.share.first) || !ParseNumber(parts[1], o.share.last) ||
                 o.share.first > o.share.last)
                 return "--frames: " + QuotedText(v) + " ist kein Bereich A-B mit A <= B";
             return {};
         }},
        {"--task", "I/N", "Schlüsselbilder: Anteil I von N, die Bilder k mit k mod N = I-1",
         [](RenderOptions& o, const std::string& v) -> std::string {
             const std::vector<std::string> parts = Split(v, '/');
             if (parts.size() != 2 || !AllDigits(parts[0]) || !AllDigits(parts[1]) ||
                 !ParseNumber(parts[0], o.share.task) || !ParseNumber(parts[1], o.share.tasks) ||
                 o.share.task < 1 || o.share.task > o.share.tasks)
                 return "--task: " + QuotedText(v) + " ist kein Anteil I/N mit 1 <= I <= N";
             return {};
         }},
        {"--tree", nullptr, "den Zweigbaum zeichnen statt eines Julia-/Mandelbrot-Bildes",
         [](RenderOptions& o, const std::string&) {
             o.tree.on = true;
             return std::string();
         }},
        {"--branches", "N", "Baum: Äste je Knoten (Vorgabe: 7)",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeInt("--branches", v, o.tree.branches);
         }},
        {"--segment-offset", "N", "Baum: zu den 60 Segmenten je Ast addiert (Vorgabe: 0)",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeInt("--segment-offset", v, o.tree.segmentOffset);
         }},
        {"--length", "PIXEL", "Baum: Segmentlänge, rad (Vorgabe: 3.0)",
         [](RenderOptions& o, const std::string& v) { return ParseTreeLength(v, o.tree.length); }},
        {"--turn", "RAD", "Baum: Drehung je Segment, dt (Vorgabe: 0.1)",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeDouble("--turn", v, o.tree.turn);
         }},
        {"--redux", "N", "Baum: Teiler der Segmente je Ebene (Vorgabe: 3)",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeInt("--redux", v, o.tree.redux);
         }},
        {"--colour", "on|off", "Baum: farbig nach Farbreihe oder schwarz (Vorgabe: on)",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeSwitch("--colour", v, o.tree.colour);
         }},
        {"--paints", "N", "Baum: das Bild des N-ten Zeichnens, jedes zeichnet einen neuen Baum",
         [](RenderOptions& o, const std::string& v) {
             return ParseTreeInt("--paints", v, o.tree.paints);
         }},
        {"--stats", nullptr,
         "Bereich, Schritte, Iterationsgrenze, Bildpunkte, Iterationen und Zeit auf stderr",
         [](RenderOptions& o, const std::string&) {
             o.stats = true;
             return std::string();
         }},
        {"--quiet", nullptr, "keine Fortschrittsanzeige auf stderr",
         [](RenderOptions& o, const std::string&) {
             o.quiet = true;
             return std::string();
         }},
        {"-o", "DATEI.png", "Ausgabedatei (PNG); - für die Standardausgabe",
         [](RenderOptions& o, const std::string& v) -> std::string {
             if (v.empty()) return "-o: leerer Dateiname";
             o.output = v;
             return {};
         }},
        {"--help", nullptr, "diese Hilfe",
         [](RenderOptions& o, const std::string&) {
             o.help = true;
             return std::string();
         }},
    };
    return options;
}

std::string CheckChoice(const RenderOptions& o) {
    const bool julia = o.kind == Fractal::Julia;
    const std::size_t rows = julia ? JuliaPresets.size() : MandelPresets.size();
    const std::size_t count = julia ? JuliaPresetColumns.size() : MandelPresetColumns.size();
    const char* kindName = julia ? "Julia" : "Mandelbrot";
    if (o.preset && o.texts) return "--preset und --texts/--text schließen einander aus";
    if (o.sizeGiven && (o.screenGiven || o.windowGiven))
        return "--size legt Gerät und Fenster fest: --screen und --window gehen nicht zusammen "
               "damit";
    if (!o.view.empty() && (o.kindSet || o.preset || o.texts || o.depth || o.tree.on))
        return "--view bringt Art, Bereich und Tiefe mit: --kind, --preset, --texts/--text, "
               "--depth und --tree gehen nicht zusammen damit";
    if (std::string tree = CheckTreeRequest(o.tree); !tree.empty()) return tree;
    if (o.preset && (*o.preset < 0 || std::size_t(*o.preset) >= rows))
        return "--preset: Zeile " + std::to_string(*o.preset) + " gibt es nicht, die " + kindName +
               "-Tabelle hat die Zeilen 0 bis " + std::to_string(rows - 1);
    if (o.centre.has_value() != o.planeHeight.has_value())
        return "--centre und --height gehören zusammen";
    const bool sharing = o.share.tasks > 1 || o.share.last >= 0;
    if (o.keyframes.empty() && (sharing || !o.topHeight.empty()))
        return "--frames, --task und --top-height gehören zu --keyframes";
    if (!o.keyframes.empty() && (o.tree.on || !o.zooms.empty() || o.screenSet || o.window))
        return "--keyframes zeichnet in --frame-size: --tree, --zoom, --screen und --window gehen "
               "nicht zusammen damit";
    if (!o.keyframes.empty() && !o.output.empty())
        return "--keyframes schreibt seine Bilder selbst: -o geht nicht zusammen damit";
    if (o.texts && o.texts->size() != count)
        return "--text/--texts: " + std::to_string(o.texts->size()) +
               (o.texts->size() == 1 ? " Text" : " Texte") + " angegeben, " + kindName +
               " braucht " + std::to_string(count);
    return {};
}

}  // namespace

ParsedOptions ParseRenderOptions(std::span<const std::string> args) {
    ParsedOptions parsed;
    RenderOptions& o = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        parsed.error = TakeOption(args, i, o, Options());
        if (!parsed.error.empty() || o.help) return parsed;
    }
    parsed.error = CheckChoice(o);
    if (parsed.error.empty() && o.output.empty() && o.keyframes.empty())
        parsed.error = "-o: keine Ausgabedatei angegeben (-o DATEI.png)";
    return parsed;
}

namespace {

std::vector<std::string> TableTexts(const RenderOptions& o) {
    if (o.texts) return *o.texts;
    if (!o.preset && !o.centre) return {};
    const std::size_t row = std::size_t(o.preset.value_or(0));
    if (o.kind == Fractal::Julia) return {JuliaPresets[row].begin(), JuliaPresets[row].end()};
    return {MandelPresets[row].begin(), MandelPresets[row].end()};
}

}  // namespace

std::vector<std::string> ChosenTexts(const RenderOptions& o) {
    std::vector<std::string> texts = TableTexts(o);
    if (!o.centre || texts.size() < 5) return texts;
    // The other texts (constant, depth) come from the preset row or --texts, row 0 by default.
    const bool julia = o.kind == Fractal::Julia;
    const int width = o.screen.width, height = o.screen.height;
    const DeepRegion region = DeepRegion::FromCentre(
        julia, o.centre->first, o.centre->second, *o.planeHeight, julia ? texts[4] : "0",
        julia ? texts[5] : "0", width, height, kHiddenRows);
    for (int i = 0; i < 4; ++i) texts[std::size_t(i)] = region.Text(i, width, height);
    return texts;
}

std::string RenderHelpText() {
    const std::string text =
        "Aufruf: morvale-render [OPTIONEN] -o DATEI.png\n"
        "        morvale-render [OPTIONEN] --keyframes ORDNER\n"
        "Zeichnet ein Julia- oder Mandelbrot-Bild ohne Fenster, wie das Programm es nach\n"
        "Art, Voreinstellung, Tiefe und Zeichnen zeigt, und schreibt es als PNG.\n\n";
    return text + OptionHelp(Options());
}

}  // namespace morvale
