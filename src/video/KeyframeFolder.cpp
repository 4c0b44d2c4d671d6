#include "video/KeyframeFolder.h"

#include <cmath>
#include <filesystem>
#include <map>

#include "keep/ViewFile.h"
#include "keyframes/KeyframePlan.h"

namespace morvale {
namespace {

std::string Quoted(const std::string& text) {
    return "„" + text + "“";
}

// What a frame shows, for comparing it with frame 0.
struct FrameView {
    ViewRecord record;
    BigFloat re, im, height;
};

FrameView ViewOf(const ViewRecord& r) {
    const bool julia = r.kind == ViewKind::Julia;
    const ZoomTarget t = TargetOfRegion(
        julia,
        {r.region[0], r.region[1], r.region[2], r.region[3], julia ? r.p : "0", julia ? r.q : "0"},
        r.device, r.client);
    const long bits = long(t.centreRe.size() * 4) + 64;
    return {r, BigFloat::Parse(t.centreRe, bits), BigFloat::Parse(t.centreIm, bits),
            BigFloat::Parse(t.height, 128)};
}

// Whether frame k, twice as tall as frame k − 1, continues frame 0.
bool Continues(const FrameView& first, const FrameView& frame, int k) {
    const ViewRecord &a = first.record, &b = frame.record;
    if (a.kind != b.kind || a.client != b.client || a.p != b.p || a.q != b.q) return false;
    BigFloat expected(first.height);
    mpfr_mul_2si(expected.get(), first.height.get(), k, MPFR_RNDN);
    const double ratio = (frame.height / expected).ToDouble();
    const BigFloat pixel = frame.height / long(b.client.height);
    const double dx = Abs((frame.re - first.re) / pixel).ToDouble();
    const double dy = Abs((frame.im - first.im) / pixel).ToDouble();
    return std::abs(ratio - 1.0) < 1e-3 && dx < 2.0 && dy < 2.0;
}

}  // namespace

KeyframeFolder ScanKeyframes(const std::string& folder, std::string& error) {
    KeyframeFolder frames;
    std::error_code code;
    if (!std::filesystem::is_directory(folder, code)) {
        error = "Der Ordner " + Quoted(folder) + " existiert nicht.";
        return frames;
    }
    std::map<int, std::string> byIndex;
    for (const auto& entry : std::filesystem::directory_iterator(folder, code))
        if (const auto k = KeyframePlan::IndexOfName(entry.path().filename().string()))
            byIndex[*k] = entry.path().string();
    const std::string first = KeyframePlan::FileName(0), second = KeyframePlan::FileName(1);
    if (byIndex.size() < 2) {
        error = "Im Ordner " + Quoted(folder) + " liegen keine zwei Schlüsselbilder (" + first +
                ", " + second + ", …); morvale-render --keyframes " + folder + " zeichnet sie.";
        return frames;
    }
    const int last = byIndex.rbegin()->first;
    for (int k = 0; k <= last; ++k) {
        if (!byIndex.count(k)) {
            error = "Im Ordner " + Quoted(folder) + " fehlt das Schlüsselbild " +
                    KeyframePlan::FileName(k) + " (es gibt Bilder bis " +
                    KeyframePlan::FileName(last) +
                    "); derselbe Aufruf von morvale-render --keyframes zeichnet es nach.";
            return frames;
        }
        frames.paths.push_back(byIndex[k]);
    }
    FrameView view0;
    for (int k = 0; k <= last; ++k) {
        const std::string& path = frames.paths[std::size_t(k)];
        const ViewReading reading = ReadViewFile(path);
        if (reading.outcome != ViewOutcome::Read) {
            error = "Das Schlüsselbild " + Quoted(path) +
                    " gehört nicht zu einer Zoomfahrt: " + ViewReadingMessage(reading, path);
            return frames;
        }
        const FrameView view = ViewOf(reading.record);
        if (k == 0) view0 = view;
        if (k > 0 && !Continues(view0, view, k)) {
            error = "Das Schlüsselbild " + Quoted(path) +
                    " gehört nicht zu dieser Zoomfahrt: Art, Größe, Mitte oder Höhe passen nicht "
                    "zu " +
                    first + ".";
            return frames;
        }
    }
    frames.size = view0.record.client;
    error.clear();
    return frames;
}

}  // namespace morvale
