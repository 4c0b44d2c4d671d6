#include "keep/ViewFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/QuotedText.h"
#include "png/PngTexts.h"

namespace morvale {
namespace {

struct Reason {
    int code;
    const char* text;
};
constexpr Reason kReasons[] = {
    {ENOENT, "die Datei existiert nicht"},
    {EACCES, "Zugriff verweigert"},
    {EISDIR, "der Name bezeichnet einen Ordner"},
    {EIO, "Ein-/Ausgabefehler"},
    {ENODEV, "der Name bezeichnet keine gewöhnliche Datei"},
};

std::string Describe(const std::error_code& error) {
    for (const Reason& reason : kReasons)
        if (reason.code == error.value()) return reason.text;
    return error.message();
}

ViewReading Unreadable(int code) {
    ViewReading reading;
    reading.error = std::error_code(code, std::generic_category());
    return reading;
}

}  // namespace

ViewReading ReadView(std::istream& in) {
    ViewReading reading;
    const PngTextReading png = ReadPngTexts(in, kViewKeywordPrefix);
    const ViewParse parse = ParseViewTexts(png.texts);
    if (!png.png) {
        reading.outcome = ViewOutcome::NotPng;
    } else if (!png.broken.empty()) {
        reading.outcome = ViewOutcome::Broken;
        reading.detail = png.broken;
    } else if (parse.noView) {
        reading.outcome = ViewOutcome::NoView;
    } else if (!parse.record) {
        reading.outcome = ViewOutcome::Broken;
        reading.detail = parse.problem;
    } else {
        reading.record = *parse.record;
        reading.outcome =
            reading.record.kind == ViewKind::Tree ? ViewOutcome::Tree : ViewOutcome::Read;
    }
    return reading;
}

ViewReading ReadViewFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) return Unreadable(EISDIR);
    // A FIFO or a device would keep the window waiting; a view is always a file of its own.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return Unreadable(ENODEV);
    std::ifstream in(path, std::ios::binary);
    if (!in) return Unreadable(errno ? errno : EIO);
    return ReadView(in);
}

std::string ViewReadingMessage(const ViewReading& reading, const std::string& name) {
    const std::string quoted = QuotedText(name);
    switch (reading.outcome) {
        case ViewOutcome::Read:
            return {};
        case ViewOutcome::Unreadable:
            return "Die Datei " + quoted +
                   " kann nicht gelesen werden: " + Describe(reading.error) + ".";
        case ViewOutcome::NotPng:
            return "Die Datei " + quoted +
                   " ist kein PNG-Bild. Als Ansicht lassen sich nur PNG-Bilder öffnen, die "
                   "Morvale gespeichert hat.";
        case ViewOutcome::NoView:
            return "Das Bild " + quoted +
                   " enthält keine Morvale-Ansicht. Als Ansicht lassen sich nur PNG-Bilder "
                   "öffnen, die Morvale gespeichert hat.";
        case ViewOutcome::Broken:
            return "Die Ansicht im Bild " + quoted + " ist beschädigt: " + reading.detail + ".";
        case ViewOutcome::Tree:
            return "Das Bild " + quoted +
                   " zeigt einen Zweigbaum. Nur Julia- und Mandelbrot-Ansichten lassen sich "
                   "wieder öffnen.";
    }
    return {};
}

bool WritePictureWithView(const PixelSurface& picture, const ViewRecord& record,
                          const ByteSink& sink) {
    PngBands png = SurfaceBands(picture);
    png.texts = ViewTexts(record);
    return WritePngBands(png, sink);
}

}  // namespace morvale
