// One escape-time drawing computed on a thread of its own into a surface the caller keeps alive
// (and leaves alone) until the job has ended.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "render/EscapeRenderer.h"

namespace morvale {

class EscapeJob {
public:
    // ended runs on the job's thread once the last row is done or the job was cancelled.
    EscapeJob(EscapeScene scene, const EscapeColouring& colours, PixelSurface surface,
              std::function<void()> ended = {});
    // Cancels and waits: nothing runs after the job is gone.
    ~EscapeJob();
    EscapeJob(const EscapeJob&) = delete;
    EscapeJob& operator=(const EscapeJob&) = delete;

    const EscapeScene& Scene() const { return scene_; }
    EscapeProgress& Progress() { return progress_; }
    void Cancel() { progress_.Cancel(); }
    bool Cancelled() const { return progress_.Cancelled(); }

    bool Ended() const { return WaitFor(std::chrono::milliseconds(0)); }
    // Ended with every row done: a cancel that came too late changes nothing.
    bool Complete() const { return Ended() && progress_.RowsDone() == progress_.Rows(); }
    bool WaitFor(std::chrono::milliseconds time) const;
    void Wait() const { ended_.wait(); }
    // What was computed; only once ended.
    const EscapeTally& Tally() const { return tally_; }
    // Empty, or in German why the drawing ended before its last row; only once ended.
    const std::string& Failure() const { return failure_; }

private:
    EscapeProgress progress_;
    EscapeScene scene_;
    EscapeColouring colours_;
    EscapeTally tally_;
    std::string failure_;
    std::shared_future<void> ended_;
    std::thread thread_;
};

}  // namespace morvale
