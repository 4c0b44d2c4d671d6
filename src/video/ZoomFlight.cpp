#include "video/ZoomFlight.h"

#include <filesystem>
#include <fstream>

#include "keyframes/KeyframeWriter.h"

namespace morvale {
namespace {

KeyframePlan PlanOfView(const ZoomFlightRequest& r) {
    const ViewRecord& v = r.view;
    const bool julia = v.kind == ViewKind::Julia;
    const ZoomTarget target = TargetOfRegion(
        julia,
        {v.region[0], v.region[1], v.region[2], v.region[3], julia ? v.p : "0", julia ? v.q : "0"},
        v.device, v.client);
    const VideoFormat& f = r.video.format;
    return KeyframePlan(target, {f.width * kKeyframeOversize, f.height * kKeyframeOversize});
}

// Frame k under its name, whole or not at all; false when stopped or not written.
bool WriteFrame(const KeyframePlan& plan, int k, const KeyframeLook& look,
                const std::filesystem::path& folder, const std::atomic<bool>* stop) {
    const std::filesystem::path path = folder / KeyframePlan::FileName(k);
    const std::filesystem::path part = path.string() + ".part";
    bool written = false;
    {
        std::ofstream out(part, std::ios::binary);
        written = out && WriteKeyframe(
                             plan, k, look,
                             [&out](const std::uint8_t* data, std::size_t size) {
                                 return bool(out.write(reinterpret_cast<const char*>(data),
                                                       std::streamsize(size)));
                             },
                             nullptr, stop)
                             .written;
        written = written && out.flush();
    }
    std::error_code error;
    if (written) std::filesystem::rename(part, path, error);
    if (!written || error) std::filesystem::remove(part, error);
    return written && !error;
}

}  // namespace

std::string MakeZoomFlight(const ZoomFlightRequest& r, const FlightProgress& progress,
                           const std::atomic<bool>* stop) {
    const KeyframePlan plan = PlanOfView(r);
    const KeyframeLook look{std::to_string(r.view.limit), std::nullopt, r.view.series, r.deepZoom};
    for (int k = 0; k < plan.Count(); ++k) {
        if (progress) progress(FlightPhase::Keyframes, k, plan.Count());
        if (!WriteFrame(plan, k, look, r.keyframeFolder, stop))
            return stop && stop->load() ? "abgebrochen"
                                        : "die Schlüsselbilder lassen sich nicht schreiben";
    }
    std::string error;
    const KeyframeFolder frames = ScanKeyframes(r.keyframeFolder, error);
    if (!error.empty()) return error;
    return MakeZoomVideo(
        frames, r.output, r.video,
        [&progress](long done, long total) {
            if (progress) progress(FlightPhase::Video, done, total);
        },
        stop);
}

}  // namespace morvale
