// morvale-video: a zoom video from a folder of keyframes.

#include <unistd.h>

#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/ProgramRun.h"
#include "cli/ProgressLine.h"
#include "cli/VideoOptions.h"
#include "platform/QuotedText.h"

namespace morvale {
namespace {

int Fail(const std::string& message) {
    return FailAs("morvale-video", message);
}

int WriteStill(const VideoOptions& o, const KeyframeFolder& frames) {
    std::string error;
    const RgbImage image =
        ComposeVideoFrame(frames, *o.still, o.video.format.width, o.video.format.height, error);
    if (!error.empty()) return Fail(error);
    if (!WritePngRgb(image, o.output))
        return Fail("-o: " + QuotedText(o.output) + " kann nicht geschrieben werden");
    return 0;
}

int Run(const std::vector<std::string>& args) {
    const ParsedVideoOptions parsed = ParseVideoOptions(args);
    if (parsed.options.help) {
        std::cout << VideoHelpText();
        return 0;
    }
    if (!parsed.error.empty()) return Fail(parsed.error);
    const VideoOptions& o = parsed.options;
    std::string error;
    const KeyframeFolder frames = ScanKeyframes(o.folder, error);
    if (!error.empty()) return Fail(error);
    if (o.still) return WriteStill(o, frames);
    const long total = VideoFrameCount(int(frames.paths.size()), o.video);
    ProgressLine progress(int(total), !o.quiet && isatty(STDERR_FILENO), "Bild");
    error = MakeZoomVideo(frames, o.output, o.video,
                          [&progress](long done, long) { progress.Update(int(done)); });
    progress.Finish();
    if (!error.empty())
        return Fail("-o: " + QuotedText(o.output) + " kann nicht geschrieben werden (" + error +
                    ")");
    if (!o.quiet)
        std::cerr << "morvale-video: " << o.output << ": " << total << " Bilder aus "
                  << frames.paths.size() << " Schlüsselbildern\n";
    return 0;
}

}  // namespace
}  // namespace morvale

int main(int argc, char** argv) {
    return morvale::RunProgram("morvale-video", argc, argv, morvale::Run,
                               "nicht genug Arbeitsspeicher");
}
