#include "cli/VideoOptions.h"

#include <functional>
#include <vector>

#include "cli/OptionTable.h"
#include "cli/WholeNumber.h"
#include "platform/QuotedText.h"

namespace morvale {
namespace {

using Handler = std::function<std::string(VideoOptions&, const std::string& value)>;

struct OptionSpec {
    const char* name;
    const char* value;  // placeholder shown in the help; null for a switch
    const char* help;
    Handler handle;
};

std::string WholeIn(const char* name, const std::string& v, int low, int high, int& into) {
    if (!ParseNumber(v, into) || into < low || into > high)
        return std::string(name) + ": " + QuotedText(v) + " ist keine ganze Zahl von " +
               std::to_string(low) + " bis " + std::to_string(high);
    return {};
}

std::string NumberIn(const char* name, const std::string& v, double low, double high,
                     double& into) {
    if (!ParseNumber(v, into) || !(into >= low && into <= high))
        return std::string(name) + ": " + QuotedText(v) + " ist keine Zahl von " +
               QuotedText(std::to_string(low)) + " bis " + std::to_string(int(high));
    return {};
}

std::string ParseVideoSize(const std::string& v, VideoFormat& f) {
    const std::size_t x = v.find('x');
    int w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(v.substr(0, x), w) ||
        !ParseNumber(v.substr(x + 1), h) || w < 16 || h < 16 || w > 8192 || h > 8192 || w % 2 ||
        h % 2)
        return "--size: " + QuotedText(v) +
               " ist keine Videogröße BREITExHÖHE mit geraden Werten von 16 bis 8192";
    f.width = w;
    f.height = h;
    return {};
}

const std::vector<OptionSpec>& Options() {
    static const std::vector<OptionSpec> options = {
        {"-o", "DATEI.mp4", "das Video (MP4, H.264)",
         [](VideoOptions& o, const std::string& v) -> std::string {
             if (v.empty()) return "-o: leerer Dateiname";
             o.output = v;
             return {};
         }},
        {"--size", "BxH", "Videogröße (Vorgabe: 1920x1080)",
         [](VideoOptions& o, const std::string& v) { return ParseVideoSize(v, o.video.format); }},
        {"--fps", "N", "Bilder je Sekunde (Vorgabe: 60)",
         [](VideoOptions& o, const std::string& v) {
             return WholeIn("--fps", v, 1, 240, o.video.format.fps);
         }},
        {"--seconds-per-doubling", "S", "Sekunden je Verdopplung der Höhe (Vorgabe: 1)",
         [](VideoOptions& o, const std::string& v) {
             return NumberIn("--seconds-per-doubling", v, 0.01, 3600, o.video.secondsPerDoubling);
         }},
        {"--out", nullptr, "hinaus zoomen, von der Ansicht zur ganzen Menge (Vorgabe: hinein)",
         [](VideoOptions& o, const std::string&) {
             o.video.zoomOut = true;
             return std::string();
         }},
        {"--quality", "0..51",
         "Qualität als Ratenfaktor von x264: kleiner ist besser und größer (Vorgabe: 20)",
         [](VideoOptions& o, const std::string& v) {
             return WholeIn("--quality", v, 0, 51, o.video.format.quality);
         }},
        {"--preset", "NAME",
         "Tempo von x264: ultrafast, superfast (Vorgabe), veryfast, faster, fast, medium, slow",
         [](VideoOptions& o, const std::string& v) -> std::string {
             static const char* const known[] = {"ultrafast", "superfast", "veryfast",
                                                 "faster",    "fast",      "medium",
                                                 "slow",      "slower",    "veryslow"};
             for (const char* name : known)
                 if (v == name) {
                     o.video.format.preset = v;
                     return {};
                 }
             return "--preset: " + QuotedText(v) + " ist keine Voreinstellung von x264";
         }},
        {"--still", "T",
         "statt des Videos nur das Bild in Höhe 2^T mal Schlüsselbild 0 als PNG nach -o",
         [](VideoOptions& o, const std::string& v) {
             double t = 0.0;
             std::string error = NumberIn("--still", v, 0.0, 100000.0, t);
             if (error.empty()) o.still = t;
             return error;
         }},
        {"--quiet", nullptr, "keine Fortschrittsanzeige auf stderr",
         [](VideoOptions& o, const std::string&) {
             o.quiet = true;
             return std::string();
         }},
        {"--help", nullptr, "diese Hilfe",
         [](VideoOptions& o, const std::string&) {
             o.help = true;
             return std::string();
         }},
    };
    return options;
}

}  // namespace

ParsedVideoOptions ParseVideoOptions(std::span<const std::string> args) {
    ParsedVideoOptions parsed;
    VideoOptions& o = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (!name.starts_with("-") || name == "-") {
            if (!o.folder.empty()) {
                parsed.error = "nur ein Ordner: " + QuotedText(args[i]) + " ist zu viel";
                return parsed;
            }
            o.folder = name;
            continue;
        }
        parsed.error = TakeOption(args, i, o, Options());
        if (!parsed.error.empty() || o.help) return parsed;
    }
    if (o.folder.empty())
        parsed.error =
            "kein Ordner mit Schlüsselbildern angegeben (morvale-video ORDNER -o "
            "DATEI.mp4)";
    else if (o.output.empty())
        parsed.error = "-o: keine Ausgabedatei angegeben (-o DATEI.mp4)";
    return parsed;
}

std::string VideoHelpText() {
    const std::string text =
        "Aufruf: morvale-video ORDNER -o DATEI.mp4 [OPTIONEN]\n"
        "Macht aus den Schlüsselbildern, die morvale-render --keyframes ORDNER zeichnet, ein\n"
        "Zoomvideo (MP4, H.264), von der ganzen Menge hinein bis zur Ansicht.\n\n";
    return text + OptionHelp(Options());
}

}  // namespace morvale
